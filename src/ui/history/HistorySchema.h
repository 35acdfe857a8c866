#pragma once
// The tables of the history's database and how a file of an earlier version is brought up to
// this one: one step per version, kept in PRAGMA user_version. To change the schema, append a
// step; a file is never taken down, and a version this program does not know is left alone.

#include <QString>

class QSqlDatabase;

class HistorySchema {
public:
    static constexpr int kVersion = 6;

    // Whether this program can read a file of `version` (0 is a new, empty file).
    [[nodiscard]] static bool Knows(int version) { return version >= 0 && version <= kVersion; }

    // Brings an open database from `version` (which it knows) to kVersion, all steps in one
    // transaction with the new version. Throws HistoryFailure; nothing changes then.
    static void Migrate(const QSqlDatabase& db, int version);

    // The table of texts as this program reads it from a file of `version` that it may not
    // change (read-only): the columns of later versions read as their defaults.
    [[nodiscard]] static QString TextsSource(int version);
    // Whether a file of `version` has the table of errors per character, the lessons' summary,
    // the timed copies.
    [[nodiscard]] static bool HasKeyErrors(int version) { return version >= 2; }
    [[nodiscard]] static bool HasLessons(int version) { return version >= 3; }
    [[nodiscard]] static bool HasCopyTests(int version) { return version >= 4; }
    // Whether it has the training's daily summary per key (KeyDays).
    [[nodiscard]] static bool HasKeyDays(int version) { return version >= 6; }
};
