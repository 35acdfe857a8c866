#pragma once
// The training's words to the pupil: the intro line of an exercise, the line below the keyboard
// and the summary after an exercise (UTF-8 for Qt, code page 1250 for the typing line).

#include <QString>

#include <string>

class TrainingSession;
struct ExerciseSummary;

namespace TrainingTexts {

// A character as the pupil reads it: "j", "mezera".
[[nodiscard]] QString KeyName(unsigned char key);
// "Trénink na míru: hlavní klávesa j, cíl 150 úhozů/min" (code page 1250).
[[nodiscard]] std::string IntroLine(unsigned char focus, unsigned char unlocked, int target);
// "Cíl: 150 úhozů/min · hlavní klávesa j: 120 úhozů/min · otevřeno 10 kláves".
[[nodiscard]] QString StateLine(const TrainingSession& session);
// What "Můj pokrok" says of the focus key: its speed, the target and the estimate.
[[nodiscard]] QString EstimateNote(const TrainingSession& session);
// The summary after an exercise, as rich text.
[[nodiscard]] QString Summary(const ExerciseSummary& summary);

} // namespace TrainingTexts
