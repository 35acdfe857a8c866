#pragma once
// The settings file's keys, all in one table: section, key, default and accepted range.
// Every read and write of klaptos.ini names its key from here. A new key goes at the end of
// its section's list; the order of writing is kept by the code that writes each section.

#include "Setting.h"

#include <climits>

namespace Settings {

// [Window]: the main window's inside (menu bar to status bar), restored; corrected against the
// screen, not here.
inline constexpr Setting WindowLeft{.section = "Window", .key = "Left", .def = -1};
inline constexpr Setting WindowTop{.section = "Window", .key = "Top", .def = -1};
inline constexpr Setting WindowWidth{.section = "Window", .key = "Width", .def = 800};
inline constexpr Setting WindowHeight{.section = "Window", .key = "Height", .def = 600};

// [Font]: the typing line's font. A size outside 6..72 points would make a window larger than
// any screen (or no font at all).
inline constexpr Setting FontName{.section = "Font", .key = "Name", .text = "Courier New"};
inline constexpr Setting FontSize{
    .section = "Font", .key = "Size", .def = 12, .low = 6, .high = 72};
inline constexpr Setting FontBold{.section = "Font", .key = "Bold", .def = 0};
inline constexpr Setting FontItalic{.section = "Font", .key = "Italic", .def = 0};

// [Options]: ProgramOptions.
inline constexpr Setting SpeedIx{
    .section = "Options", .key = "SpeedIx", .def = 0, .low = 0, .high = 2};
inline constexpr Setting IsMaximized{.section = "Options", .key = "IsMaximized", .def = 0};
inline constexpr Setting ErrRep{
    .section = "Options", .key = "ErrRep", .def = 1, .low = 0, .high = 99};
inline constexpr Setting ErrIsRep{.section = "Options", .key = "ErrIsRep", .def = 1};
inline constexpr Setting CharSpace{
    .section = "Options", .key = "CharSpace", .def = 1, .low = 0, .high = 15};
inline constexpr Setting ErrorBeep{.section = "Options", .key = "ErrorBeep", .def = 1};
inline constexpr Setting Caret{.section = "Options", .key = "Caret", .def = 1};
inline constexpr Setting Speed{.section = "Options", .key = "Speed", .def = 1};
// Off when the key is missing, so that a first run moves on only after a right keystroke.
inline constexpr Setting MoveOnError{.section = "Options", .key = "MoveOnError", .def = 0};
inline constexpr Setting AutoStop{.section = "Options", .key = "AutoStop", .def = 1};
inline constexpr Setting CloseQuery{
    .section = "Options", .key = "CloseQuery", .def = 2, .low = 0, .high = 2};
inline constexpr Setting Sound{.section = "Options", .key = "Sound", .def = 0, .low = 0, .high = 5};
// The on-screen keyboard below the typing line (KeyboardFeature).
inline constexpr Setting Keyboard{.section = "Options", .key = "Klavesnice", .def = 1};

// [Statistika]: the text's totals so far; a negative count reads as none.
inline constexpr Setting LessonErrors{
    .section = "Statistika", .key = "ChCelkem", .def = 0, .low = 0};
inline constexpr Setting LessonMs{.section = "Statistika", .key = "MsCelkem", .def = 0, .low = 0};
inline constexpr Setting LessonKeystrokes{
    .section = "Statistika", .key = "UhozyCelkem", .def = 0, .low = 0};
inline constexpr Setting LessonCorrect{
    .section = "Statistika", .key = "UhozyOK", .def = 0, .low = 0};
inline constexpr Setting Intervals{.section = "Statistika", .key = "MsMem"};

// [Lekce]: the text being typed and the position in it; the numbers are checked against the
// lessons and the text when the position is restored.
inline constexpr Setting LessonNumber{.section = "Lekce", .key = "Cislo", .def = 0};
inline constexpr Setting CurrentLesson{.section = "Lekce", .key = "CisloAkt", .def = 1};
inline constexpr Setting UserFile{.section = "Lekce", .key = "UzivSoubor"};
inline constexpr Setting LineNumber{.section = "Lekce", .key = "CisloRadku", .def = 1};
inline constexpr Setting Qwertz{.section = "Lekce", .key = "QWERTZ", .def = 1};

// [Chyby]: errors per character of the text so far. "Znaky" lists the characters counted as
// hexadecimal bytes; each has a key named by its byte: "attempts,errors,byte:count,...".
inline constexpr Setting ErrorCharacters{.section = "Chyby", .key = "Znaky"};

// [Opis]: the timed copy's last choices (CopyTestSetup): the text's file, the minutes (1, 3, 5,
// 10 or 20), the rules (0 "školní", 1 "soutěžní") and the pupil's name for the result sheet
// (empty: the system user's). Written only once the copy has been used.
inline constexpr Setting CopyTextFile{.section = "Opis", .key = "Text"};
inline constexpr Setting CopyMinutes{
    .section = "Opis", .key = "Minuty", .def = 10, .low = 1, .high = 20};
inline constexpr Setting CopyRuleSet{
    .section = "Opis", .key = "Pravidla", .def = 0, .low = 0, .high = 1};
inline constexpr Setting CopyPupilName{.section = "Opis", .key = "Jmeno"};

// [Trida]: the class database the pupil or teacher joined (ClassroomFeature); written only
// while a class is joined. The password is never kept here: "MistoHesla" says where it is,
// 0 the desktop's secret store, 1 libpq's password file (~/.pgpass).
inline constexpr Setting ClassServer{.section = "Trida", .key = "Server"};
inline constexpr Setting ClassPort{
    .section = "Trida", .key = "Port", .def = 5432, .low = 1, .high = 65535};
inline constexpr Setting ClassDatabase{.section = "Trida", .key = "Databaze", .text = "klaptos"};
inline constexpr Setting ClassLogin{.section = "Trida", .key = "Jmeno"};
inline constexpr Setting ClassName{.section = "Trida", .key = "Trida"};
inline constexpr Setting ClassTeacher{.section = "Trida", .key = "Ucitel", .def = 0};
inline constexpr Setting ClassPasswordPlace{
    .section = "Trida", .key = "MistoHesla", .def = 0, .low = 0, .high = 1};

// [Trenink]: the adaptive training (TrainingFeature): the target speed in key presses a minute
// and the key the pupil pinned as the focus (its code page 1250 byte; 0 for none). Written only
// once the training has been used.
inline constexpr Setting TrainingTarget{
    .section = "Trenink", .key = "Cil", .def = 150, .low = 60, .high = 400};
inline constexpr Setting TrainingPinned{
    .section = "Trenink", .key = "Klavesa", .def = 0, .low = 0, .high = 255};

} // namespace Settings
