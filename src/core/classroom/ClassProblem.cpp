#include "ClassProblem.h"

ClassProblem ClassProblems::OfSqlState(std::string_view state) {
    if (state.size() != 5) {
        return ClassProblem::Unreachable;
    }
    const std::string_view errorClass = state.substr(0, 2);
    if (state == "28P01") {
        return ClassProblem::WrongPassword;
    }
    if (errorClass == "28") {
        return ClassProblem::NotAdmitted;
    }
    if (state == "3D000") {
        return ClassProblem::NoDatabase;
    }
    // No schema or no table of ours: somebody else's database.
    if (state == "3F000" || state == "42P01" || state == "42883") {
        return ClassProblem::NotClassDatabase;
    }
    if (state == "42501") {
        return ClassProblem::Refused;
    }
    if (state == "53100") {
        return ClassProblem::ServerFull;
    }
    // Connection exceptions, a server shutting down or starting, too many connections.
    if (errorClass == "08" || errorClass == "57" || state == "53300") {
        return ClassProblem::Unreachable;
    }
    return ClassProblem::Other;
}

std::string_view ClassProblems::Name(ClassProblem problem) {
    switch (problem) {
    case ClassProblem::None:
        return "none";
    case ClassProblem::Unreachable:
        return "unreachable";
    case ClassProblem::WrongPassword:
        return "wrong-password";
    case ClassProblem::NotAdmitted:
        return "not-admitted";
    case ClassProblem::NoDatabase:
        return "no-database";
    case ClassProblem::NotClassDatabase:
        return "not-class-database";
    case ClassProblem::NotInClass:
        return "not-in-class";
    case ClassProblem::NewerSchema:
        return "newer-schema";
    case ClassProblem::ServerFull:
        return "server-full";
    case ClassProblem::Refused:
        return "refused";
    case ClassProblem::QueueNotKept:
        return "queue-not-kept";
    case ClassProblem::NoDriver:
        return "no-driver";
    case ClassProblem::Other:
        return "other";
    }
    return "other";
}

std::string ClassProblems::Sentence(ClassProblem problem) {
    switch (problem) {
    case ClassProblem::None:
        return {};
    case ClassProblem::Unreachable:
        return "Server třídy není dostupný: zkontrolujte jeho adresu a port a připojení k síti.";
    case ClassProblem::WrongPassword:
        return "Přihlašovací jméno nebo heslo nesouhlasí.";
    case ClassProblem::NotAdmitted:
        return "Server tento počítač nebo toto přihlašovací jméno nepřijímá (nastavení "
               "pg_hba.conf na serveru).";
    case ClassProblem::NoDatabase:
        return "Databáze tohoto jména na serveru není.";
    case ClassProblem::NotClassDatabase:
        return "Databáze není databází třídy Klaptosu.";
    case ClassProblem::NotInClass:
        return "Přihlašovací jméno nepatří do žádné třídy v této databázi.";
    case ClassProblem::NewerSchema:
        return "Databázi třídy založila novější verze Klaptosu; nainstalujte novější program.";
    case ClassProblem::ServerFull:
        return "Server třídy nemá místo na disku.";
    case ClassProblem::Refused:
        return "Server třídy výsledky odmítl: přihlašovací jméno k tomu nemá právo.";
    case ClassProblem::QueueNotKept:
        return "Výsledky pro třídu nelze uložit v tomto počítači.";
    case ClassProblem::NoDriver:
        return "Chybí ovladač PostgreSQL pro Qt (balíček libqt6sql6-psql).";
    case ClassProblem::Other:
        return "Server třídy ohlásil chybu.";
    }
    return {};
}

std::string ClassProblems::WaitingNotice(ClassProblem problem) {
    if (problem == ClassProblem::None) {
        return {};
    }
    if (problem == ClassProblem::QueueNotKept) {
        return Sentence(problem) + " V historii psaní zůstávají.";
    }
    // The pupil cannot mend the address; a server that is down is the teacher's to mend.
    const std::string reason = problem == ClassProblem::Unreachable
                                   ? "Server třídy teď není dostupný."
                                   : Sentence(problem);
    return "Výsledky se zatím do třídy neodeslaly. " + reason +
           " Výsledky zůstávají uložené v tomto počítači a odešlou se samy, jakmile to půjde.";
}
