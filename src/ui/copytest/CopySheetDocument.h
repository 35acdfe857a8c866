#pragma once
// The result sheet of a timed copy as one document, the same on the screen, in the PDF and
// on paper: the head (pupil, date, text, duration, rules), the figures and the grade, and the
// typed text marked as a teacher marks a paper.

#include <QString>

#include <vector>

class QDate;
struct AlignedWord;
struct CopyOutcome;

class CopySheetDocument {
public:
    [[nodiscard]] static QString Html(const CopyOutcome& outcome, const QString& pupil,
                                      const QDate& date);
    // The typed text: a wrong word with its wrong letters underlined and the copy's word
    // above it, missing words struck out, extra words and Enters highlighted.
    [[nodiscard]] static QString MarkedText(const std::vector<AlignedWord>& words);
    // The sheet on A4; false when the file cannot be written.
    [[nodiscard]] static bool WritePdf(const QString& html, const QString& title,
                                       const QString& path);
};
