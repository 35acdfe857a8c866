#include "Lekce.h"

#include "Cp1250.h"
#include "IniFile.h"
#include "LessonCount.h"
#include "LineReader.h"
#include "LineWrapper.h"
#include "Reporter.h"
#include "Settings.h"
#include "TextDecoder.h"
#include "TypedReplacements.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <utility>

namespace {

constexpr std::string_view kMarkerPrefix = "$LEKCE:";

// A user file longer than this is cut: a million lines are months of typing, and the
// cap keeps memory bounded and the keystroke counts within 32 bits whatever the file.
constexpr std::size_t kMaxLines = 1'000'000;

// A line of an own text longer than this is wrapped while it is read.
constexpr std::size_t kWrapAhead = 4096;
// Paths are file system bytes (UTF-8); a message shows them in the code page of the
// rest of its text. Bytes that are not UTF-8 show as the unmappable character.
std::string ForDisplay(const std::string& path) {
    return Cp1250::FromUtf8(path);
}

std::string Text(std::string_view utf8) {
    return Cp1250::FromUtf8(utf8);
}

// What the "exists" check of the lesson loader means: a name that resolves to nothing.
// Anything else that is there but cannot be read is left to the open, which reports it.
bool NothingAt(const std::string& path) {
    struct stat info {};
    if (path.find('\0') != std::string::npos) {
        return false;
    }
    return ::stat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

bool RegularFileAt(const std::string& path) {
    struct stat info {};
    return !path.empty() && path.find('\0') == std::string::npos &&
           ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string Marker(int n) {
    char marker[32];
    std::snprintf(marker, sizeof marker, "$LEKCE:%02d", n);
    return marker;
}

// Cuts a line to the width of the typing line. The cut may lay control characters bare
// at the new end; they go too, so every line still ends in a character that can be typed.
bool CutToWidth(std::string& line) {
    if (line.size() <= static_cast<std::size_t>(LEKCE::kLineWidth)) {
        return false;
    }
    line.resize(LEKCE::kLineWidth);
    LineReader::Clean(line);
    return true;
}

// Whether anything but empty lines follows in the file.
bool MoreText(LineReader& file) {
    std::string piece;
    while (file.Read(piece)) {
        LineReader::Clean(piece);
        if (!piece.empty()) {
            return true;
        }
    }
    return false;
}

int32_t SumOfSizes(const std::vector<std::string>& lines, std::size_t count) {
    int64_t sum = 0;
    for (std::size_t i = 0; i < count && i < lines.size(); ++i) {
        sum += static_cast<int64_t>(lines[i].size()) + 1;
    }
    return static_cast<int32_t>(sum);
}

} // namespace

LEKCE::LEKCE(std::string dataDir, Reporter& reporter)
    : dataDir_(std::move(dataDir)), reporter_(reporter) {}

void LEKCE::Clear() {
    Lines.clear();
    CurrentLesson = 0;
    LineNumber = 0;
    CharsBefore = 0;
    LineSize = 0;
    TotalChars = 0;
}

bool LEKCE::CurrentLine(std::string& text) {
    if (LineNumber < 1 || LineNumber > LineCount()) {
        return false;
    }
    const std::string& line = Lines[static_cast<std::size_t>(LineNumber - 1)];
    text = line;
    LineSize = static_cast<int32_t>(line.size()) + 1;
    return true;
}

bool LEKCE::NextLine(std::string& text) {
    const int32_t leaving = LineSize;
    ++LineNumber;
    CharsBefore += leaving;
    if (CurrentLine(text)) {
        return true;
    }
    --LineNumber;
    CharsBefore -= leaving;
    LineSize = leaving;
    return false;
}

bool LEKCE::PreviousLine(std::string& text) {
    --LineNumber;
    if (!CurrentLine(text)) {
        ++LineNumber;
        return false;
    }
    CharsBefore -= LineSize;
    return true;
}

bool LEKCE::FirstLine(std::string& text) {
    // Keeps the position when there is no first line, so a false result changes nothing.
    if (Lines.empty()) {
        return false;
    }
    LineNumber = 0;
    CharsBefore = 0;
    LineSize = 0;
    return NextLine(text);
}

double LEKCE::Progress(int pos) const {
    if (TotalChars <= 0 || LineNumber <= 0) {
        return 0.0;
    }
    return (static_cast<double>(pos) + CharsBefore) / TotalChars;
}

void LEKCE::Recount() {
    if (LineNumber <= 0 || LineNumber > LineCount()) {
        LineNumber = 0;
        CharsBefore = 0;
        LineSize = 0;
        return;
    }
    CharsBefore = SumOfSizes(Lines, static_cast<std::size_t>(LineNumber - 1));
    LineSize = static_cast<int32_t>(Lines[static_cast<std::size_t>(LineNumber - 1)].size()) + 1;
}

std::string LEKCE::LessonFileName(int n, bool qwertz) {
    if (n <= 11) {
        return "KTOSCA.DAT";
    }
    if (n >= 23) {
        return "KTOSCC.DAT";
    }
    return qwertz ? "KTOSCBZ.DAT" : "KTOSCBY.DAT";
}

bool LEKCE::LoadLesson(int n, bool qwertz) {
    const std::string name = LessonFileName(n, qwertz);
    std::string path = dataDir_;
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    path += name;

    if (NothingAt(path)) {
        reporter_.ReportError(
            Text("Instalace programu bude asi neúplná či poškozena, protože chybí soubor lekcí: ") +
            ForDisplay(path));
        return false;
    }
    LineReader file;
    if (!file.Open(path)) {
        reporter_.ReportError(Text("Nemohu otevřít soubor lekcí: ") + ForDisplay(path) +
                              Text(" Windows zablokovaly přístup k němu. Zkuste restartovat "
                                   "program, eventuálně Windows, popřípadně obnovit instalaci "
                                   "tohoto programu."));
        return false;
    }

    // For the lessons 1 to 44 the marker has exactly nine characters; comparing all of a
    // longer one keeps a lesson 100 from matching the marker of lesson 10.
    const std::string marker = Marker(n);
    std::string line;
    bool found = false;
    while (!found) {
        file.Read(line);
        if (file.AtEnd()) {
            break;
        }
        found = line.compare(0, marker.size(), marker) == 0;
    }
    if (!found) {
        reporter_.ReportError(
            Text("Instalace programu bude asi neúplná či poškozena, protože v souborech lekcí "
                 "chybí lekce ") +
            std::to_string(n));
        return false;
    }

    Clear();
    DisplayFileName.clear();
    file.Read(line);
    LineReader::Clean(line);
    IntroLine = line;

    while (true) {
        file.Read(line);
        if (line.starts_with(kMarkerPrefix)) {
            break;
        }
        LineReader::Clean(line);
        CutToWidth(line);
        if (line.empty()) {
            break;
        }
        Lines.push_back(line);
        if (file.AtEnd() || Lines.size() >= kMaxLines) {
            break;
        }
    }
    file.Close();

    if (Lines.empty()) {
        reporter_.ReportError(
            Text("Instalace programu bude asi neúplná či poškozena, protože lekce ") +
            std::to_string(n) + Text(" obsahuje 0 řádků."));
        Clear();
        DisplayFileName.clear();
        return false;
    }
    TotalChars = SumOfSizes(Lines, Lines.size());
    Qwertz = qwertz;
    LessonNumber = n;
    CurrentLesson = n;
    return true;
}

bool LEKCE::LoadTextFile(const std::string& path) {
    LineReader file;
    if (!file.Open(path)) {
        reporter_.ReportError(
            Text("Nemohu otevřít soubor: ") + ForDisplay(path) +
            Text(" Windows zablokovaly přístup k němu. Zkuste restartovat program, eventuálně "
                 "Windows."));
        return false;
    }
    file.DecodeFrom(file.DetectEncoding());

    Clear();
    DisplayFileName.clear();
    std::string line;
    file.Read(line);
    LineReader::Clean(line);
    IntroLine = line;

    // Every character must be one the pupil can type, or the line could never be finished:
    // the others are replaced as they are read, before the lines are wrapped to the width
    // they will have.
    TypedReplacements typed;
    bool wrapped = false;
    bool skipped = false;
    std::string piece;
    std::string pending; // the line of the file read so far, less the lines taken from it
    bool taken = false;  // whether the line of the file has given a line already
    while (Lines.size() < kMaxLines) {
        if (!file.Read(piece)) {
            break;
        }
        typed.Apply(piece);
        pending += piece;
        const bool lineEnds = piece.ends_with('\n') || file.AtEnd();
        if (!lineEnds) {
            // A line without end in sight is wrapped as it comes, so memory stays bounded.
            if (pending.size() >= kWrapAhead) {
                LineReader::CleanInside(pending);
                const std::size_t before = Lines.size();
                wrapped |= LineWrapper::TakeLines(pending, false, kLineWidth, Lines, kMaxLines);
                taken |= Lines.size() > before;
            }
            continue;
        }
        LineReader::Clean(pending);
        if (pending.empty() && !taken) {
            skipped = true;
        }
        wrapped |= LineWrapper::TakeLines(pending, true, kLineWidth, Lines, kMaxLines);
        if (!pending.empty() || file.AtEnd()) {
            break; // the limit was reached inside this line, or the file is done
        }
        taken = false;
    }
    const bool limited = Lines.size() >= kMaxLines && (!pending.empty() || MoreText(file));
    const TextDecoder* decoder = file.Decoder();
    std::string replaced = decoder != nullptr ? decoder->ListUtf8() : std::string();
    if (const std::string typedList = typed.ListUtf8(); !typedList.empty()) {
        replaced += (replaced.empty() ? "" : ", ") + typedList;
    }
    file.Close();

    if (Lines.empty()) {
        reporter_.ReportInfo(Text("Nenalezeny žádné řádky s textem!"));
        Clear();
        DisplayFileName.clear();
        return false;
    }

    // Built in UTF-8: the replaced characters are those the code page cannot show.
    std::string notice;
    if (wrapped) {
        notice += "Řádky delší než " + std::to_string(kLineWidth) + " znaků jsou zalomené. ";
    }
    if (skipped) {
        notice += "Prázdné řádky byly přeskočené. ";
    }
    if (!replaced.empty()) {
        notice += "Nahrazené znaky: " + replaced + ". ";
    }
    if (limited) {
        notice +=
            "Text je delší než " + std::to_string(kMaxLines) + " řádků, další řádky se nenačetly. ";
    }
    if (!notice.empty()) {
        notice += "\r\nUpravte formát souboru, abyste se vyhnuli této zprávě. Návod najdete v "
                  "HELPu.";
        reporter_.ReportInfoUtf8(notice);
    }

    TotalChars = SumOfSizes(Lines, Lines.size());
    CurrentLesson = -1;
    UserFileName = path;
    DisplayFileName = path;
    return true;
}

void LEKCE::SavePosition(IniFile& ini) const {
    Settings::LessonNumber.WriteInteger(ini, LessonNumber);
    Settings::CurrentLesson.WriteInteger(ini, CurrentLesson);
    Settings::UserFile.WriteString(ini, UserFileName);
    Settings::LineNumber.WriteInteger(ini, LineNumber);
    Settings::Qwertz.WriteBool(ini, Qwertz);
}

bool LEKCE::RestorePosition(const IniFile& ini) {
    LessonNumber = Settings::LessonNumber.ReadInteger(ini);
    const int current = Settings::CurrentLesson.ReadInteger(ini);
    UserFileName = Settings::UserFile.ReadString(ini);
    SavedLineNumber = Settings::LineNumber.ReadInteger(ini);
    Qwertz = Settings::Qwertz.ReadBool(ini);

    if (current == -1 && RegularFileAt(UserFileName)) {
        LoadTextFile(UserFileName);
    } else if (current >= 1 && current <= kLastLesson) {
        LoadLesson(current, Qwertz);
    }

    if (SavedLineNumber >= 1 && SavedLineNumber <= LineCount()) {
        // One line before the saved one: starting the text fetches the next line.
        LineNumber = SavedLineNumber - 1;
        Recount();
        return true;
    }
    return false;
}
