#pragma once
// One result as the class database keeps it: what kind of text it was, the figures every kind
// has, and the figures of its own kind. Lessons, own texts and practice texts come from the
// history; copy tests and training summaries fill the same record.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

struct CopyTestResult;
struct HistoryRecord;

enum class ResultKind { Lesson, OwnText, Practice, CopyTest, Training };

struct ClassResult {
    std::string id;    // a UUID, lower-case with dashes: the same result is never stored twice
    std::string pupil; // the pupil's login; set by the server, known only when read back
    ResultKind kind = ResultKind::Lesson;
    int64_t endedAt = 0; // seconds since 1970-01-01 UTC
    int lesson = 0;      // 1..44 for a lesson, else 0
    bool qwertz = false; // the layout of a lesson
    std::string title;   // UTF-8: an own text's file name without its folder, a copy text's title
    int keystrokes = 0;
    int correct = 0;
    int errors = 0;
    int typingMs = 0;
    int averageSpeed = 0;  // all keystrokes per minute
    int absoluteSpeed = 0; // correct keystrokes per minute
    int netSpeed = 0;      // a copy test's net keystrokes per minute; 0 for other kinds
    int errorGrade = 0;    // 1..5; 0 where the kind has none
    int speedGrade = 0;    // 1..5; 0 where the kind has none
    int grade = 0;         // a copy test's grade 1..3; 0 for a failed test and other kinds
    bool passed = false;
    // A copy test's own figures; 0 and empty for other kinds.
    int minutes = 0;
    std::string rules;          // "school" or "competition"
    int grossSpeed = 0;         // gross keystrokes per minute
    int accuracyHundredths = 0; // 100 % less the error rate, in hundredths of a per cent
    // Wrong keystrokes by the character that was due, UTF-8 ("\n" for Enter).
    std::map<std::string, int> keyErrors;
    // Figures of the kind's own, by name; they travel in the database's JSON column.
    std::map<std::string, double> details;

    // A finished text of the history. `practicePath` is the practice text's file: a text
    // typed from it is practice, any other file an own text.
    [[nodiscard]] static ClassResult OfHistoryRecord(const HistoryRecord& record, std::string id,
                                                     const std::string& practicePath);

    // A finished timed copy that ended at `endedAt`. Its keystrokes are the norm's gross
    // keystrokes, its correct ones the net keystrokes left after the penalties.
    [[nodiscard]] static ClassResult OfCopyTest(const CopyTestResult& copy, std::string id,
                                                int64_t endedAt);

    // Errors per mille of keystrokes.
    [[nodiscard]] int ErrorPerMille() const;

    friend bool operator==(const ClassResult&, const ClassResult&) = default;
};

// The kind's name in the database: "lesson", "own_text", "practice", "copy_test", "training".
[[nodiscard]] std::string_view KindName(ResultKind kind);
[[nodiscard]] std::optional<ResultKind> KindOfName(std::string_view name);
