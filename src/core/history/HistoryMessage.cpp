#include "HistoryMessage.h"

#include "Cp1250.h"

namespace {

// SQLite's primary result codes.
constexpr int kSqlitePerm = 3;
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteIoError = 10;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteFull = 13;
constexpr int kSqliteCantOpen = 14;
constexpr int kSqliteNotADatabase = 26;

constexpr const char* kNotKept = "Historie psaní se nezaznamenává: ";

std::string Sentence(HistoryProblem problem, const std::string& detail) {
    switch (problem) {
    case HistoryProblem::Locked:
        return "Historii psaní má právě zamčenou jiný program. Výsledky se do ní zapíší, jakmile "
               "ji uvolní.";
    case HistoryProblem::ReadOnly:
        return "Historie psaní je jen pro čtení: soubor historie nebo jeho složka se nesmí "
               "měnit. Okno „Můj pokrok“, export do CSV a volba lekce ukazují, co v historii "
               "je, ale nové texty se do ní nezaznamenávají.";
    case HistoryProblem::DiskFull:
        return "Výsledek se do historie psaní nezapsal, protože disk je plný. Uvolněte na disku "
               "místo, další texty se pak zase zaznamenají.";
    case HistoryProblem::DiskError:
        return "Výsledek se do historie psaní nezapsal: disk hlásí chybu čtení nebo zápisu" +
               (detail.empty() ? std::string() : " (" + detail + ")") + ".";
    case HistoryProblem::CannotOpen:
        return std::string(kNotKept) + "soubor historie nelze otevřít.";
    case HistoryProblem::Damaged:
        return std::string(kNotKept) + "soubor historie je poškozený a nelze ho přejmenovat.";
    case HistoryProblem::Directory:
        return std::string(kNotKept) + "místo souboru historie je složka.";
    case HistoryProblem::NotAFile:
        return std::string(kNotKept) +
               "místo souboru historie je zařízení nebo roura, ne soubor databáze.";
    case HistoryProblem::UnknownVersion:
        return std::string(kNotKept) + "soubor historie má verzi " + detail +
               ", kterou tento program nezná; zapsala ho asi novější verze programu. Soubor "
               "zůstává, jak je.";
    case HistoryProblem::NoFolder:
        return std::string(kNotKept) + "nelze vytvořit složku pro data.";
    case HistoryProblem::NoDriver:
        return std::string(kNotKept) + "chybí ovladač SQLite pro Qt.";
    case HistoryProblem::Other:
        break;
    }
    return std::string(kNotKept) + "chyba databáze" +
           (detail.empty() ? std::string() : " (" + detail + ")") + ".";
}

} // namespace

std::string HistoryMessage::HelpTitle() {
    return Cp1250::FromUtf8("Historie psaní");
}

HistoryProblem HistoryMessage::OfSqliteCode(int code, bool diskFull) {
    switch (code & 0xff) {
    case kSqliteBusy:
    case kSqliteLocked:
        return HistoryProblem::Locked;
    case kSqlitePerm:
    case kSqliteReadOnly:
        return HistoryProblem::ReadOnly;
    case kSqliteFull:
        return HistoryProblem::DiskFull;
    case kSqliteIoError:
        // A write that finds no room fails as an I/O error on some file systems.
        return diskFull ? HistoryProblem::DiskFull : HistoryProblem::DiskError;
    case kSqliteCantOpen:
        return HistoryProblem::CannotOpen;
    case kSqliteCorrupt:
    case kSqliteNotADatabase:
        return HistoryProblem::Damaged;
    default:
        return HistoryProblem::Other;
    }
}

std::string HistoryMessage::Text(HistoryProblem problem, const std::string& path,
                                 const std::string& detail) {
    return Cp1250::FromUtf8(Sentence(problem, detail)) + "\r\n" + Cp1250::FromUtf8(path);
}

std::string HistoryMessage::MovedAside(const std::string& asideName, const std::string& path) {
    return Cp1250::FromUtf8("Soubor historie psaní byl poškozený. Zůstal uložen jako „" +
                            asideName + "“ a začíná nová historie.\r\n" + path);
}
