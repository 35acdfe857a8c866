#include "ClassSetup.h"

#include <sstream>

namespace {

constexpr std::string_view kPasswordAlphabet =
    "abcdefghijkmnpqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789";
constexpr int kPasswordLength = 10;
constexpr std::size_t kMaxLogin = 63;

bool AddLogin(const std::string& login, const std::string& password,
              std::vector<ClassLogin>& pupils, std::string& error) {
    if (!ClassSetup::IsValidLogin(login)) {
        error = "Neplatné přihlašovací jméno „" + login +
                "“: jen malá písmena bez diakritiky, číslice, tečka, podtržítko a pomlčka.";
        return false;
    }
    pupils.push_back({login, password});
    return true;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

} // namespace

std::optional<ClassSetup> ClassSetup::Parse(const std::vector<std::string>& args,
                                            std::string& error) {
    ClassSetup setup;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--new-passwords") {
            setup.newPasswords = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = "Za volbou " + option + " chybí hodnota.";
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (option == kOption) {
            setup.className = value;
        } else if (option == "--teacher") {
            setup.teacher.login = value;
        } else if (option == "--pupils") {
            std::istringstream logins(value);
            for (std::string login; std::getline(logins, login, ',');) {
                if (!Trimmed(login).empty() && !AddLogin(Trimmed(login), {}, setup.pupils, error)) {
                    return std::nullopt;
                }
            }
        } else if (option == "--pupil-file") {
            setup.pupilFile = value;
        } else if (option == "--host") {
            setup.host = value;
        } else if (option == "--port") {
            setup.port = value;
        } else if (option == "--dbname") {
            setup.database = value;
        } else if (option == "--user") {
            setup.user = value;
        } else {
            error = "Neznámá volba " + option + ".";
            return std::nullopt;
        }
    }
    if (setup.className.empty()) {
        error = "Chybí název třídy.";
        return std::nullopt;
    }
    if (!IsValidLogin(setup.teacher.login)) {
        error = setup.teacher.login.empty()
                    ? "Chybí přihlašovací jméno učitele (--teacher)."
                    : "Neplatné přihlašovací jméno učitele „" + setup.teacher.login + "“.";
        return std::nullopt;
    }
    return setup;
}

bool ClassSetup::AddPupils(const std::string& text, std::vector<ClassLogin>& pupils,
                           std::string& error) {
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        if (const std::size_t comment = line.find('#'); comment != std::string::npos) {
            line.resize(comment);
        }
        line = Trimmed(line);
        if (line.empty()) {
            continue;
        }
        const std::size_t space = line.find_first_of(" \t");
        const std::string login = line.substr(0, space);
        const std::string password =
            space == std::string::npos ? std::string() : Trimmed(line.substr(space));
        if (password.find_first_of(" \t") != std::string::npos) {
            error = "Řádek " + std::to_string(number) + ": heslo nesmí obsahovat mezeru.";
            return false;
        }
        if (!AddLogin(login, password, pupils, error)) {
            error = "Řádek " + std::to_string(number) + ": " + error;
            return false;
        }
    }
    return true;
}

bool ClassSetup::IsValidLogin(std::string_view login) {
    if (login.empty() || login.size() > kMaxLogin) {
        return false;
    }
    const auto letterOrDigit = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    };
    if (!letterOrDigit(login.front())) {
        return false;
    }
    for (char c : login) {
        if (!letterOrDigit(c) && c != '.' && c != '_' && c != '-') {
            return false;
        }
    }
    return true;
}

std::string ClassSetup::NewPassword(const std::function<uint32_t()>& random) {
    std::string password;
    for (int i = 0; i < kPasswordLength; ++i) {
        password += kPasswordAlphabet[random() % kPasswordAlphabet.size()];
    }
    return password;
}

std::string ClassSetup::Usage() {
    return "Použití:\n"
           "  klaptos --create-class TŘÍDA --teacher UČITEL [--pupils ŽÁK,ŽÁK,...]\n"
           "          [--pupil-file SOUBOR] [--new-passwords]\n"
           "          [--host SERVER] [--port PORT] [--dbname DATABÁZE] [--user SPRÁVCE]\n"
           "\n"
           "Založí v databázi PostgreSQL třídu, přihlašovací jméno učitele a žáků a vypíše\n"
           "jejich hesla. Spustí-li se znovu, doplní nové žáky a stávajícím hesla nemění\n"
           "(s --new-passwords jim dá nová). Soubor žáků má na každém řádku přihlašovací\n"
           "jméno, případně za mezerou heslo. Připojuje se jako vlastník databáze nebo\n"
           "správce; co chybí v argumentech, vezme z proměnných PGHOST, PGPORT, PGDATABASE,\n"
           "PGUSER a PGPASSWORD (nebo ze souboru ~/.pgpass).\n";
}
