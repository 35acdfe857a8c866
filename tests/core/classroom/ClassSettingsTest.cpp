// Where the class is kept: the [Trida] section of the settings file without the password,
// libpq's password file with it, and the teacher's command that makes the logins.

#include "ClassConnection.h"
#include "ClassSetup.h"
#include "IniFile.h"
#include "PgPassFile.h"
#include "TempLessonDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

ClassConnection Joined() {
    ClassConnection connection;
    connection.server = "skola.example.cz";
    connection.port = 5433;
    connection.database = "klaptos";
    connection.login = "eva.mala";
    connection.className = "7.A";
    connection.passwordPlace = PasswordPlace::PasswordFile;
    return connection;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ClassConnection, AJoinedClassIsKeptInItsSectionAndALeftOneReadsAsNotJoined) {
    TempLessonDir dir;
    const std::string path = dir.Path() + "klaptos.ini";
    {
        IniFile ini(path);
        ClassConnection{}.Write(ini); // never joined: nothing written
    }
    EXPECT_EQ(ReadFile(path), "");
    {
        IniFile ini(path);
        Joined().Write(ini);
    }
    const std::string text = ReadFile(path);
    EXPECT_EQ(text, "[Trida]\r\nServer=skola.example.cz\r\nPort=5433\r\nDatabaze=klaptos\r\n"
                    "Jmeno=eva.mala\r\nTrida=7.A\r\nUcitel=0\r\nMistoHesla=1\r\n");
    {
        IniFile ini(path);
        EXPECT_EQ(ClassConnection::Read(ini), Joined());
        ClassConnection{}.Write(ini); // the class was left
    }
    IniFile again(path);
    EXPECT_FALSE(ClassConnection::Read(again).IsJoined());
    EXPECT_EQ(ClassConnection::Read(IniFile(dir.Path() + "none.ini")).database, "klaptos");
}

TEST(PgPassFile, SetsTheConnectionsLineEscapedAndLeavesOtherLinesAlone) {
    ClassConnection connection = Joined();
    const std::string others = "db.example.cz:5432:*:admin:tajne\n";

    const std::string added = PgPassFile::WithEntry(others, connection, "Ab:c\\d");
    EXPECT_EQ(added, others + "skola.example.cz:5433:klaptos:eva.mala:Ab\\:c\\\\d\n");
    EXPECT_EQ(PgPassFile::WithEntry(added, connection, "nove"),
              others + "skola.example.cz:5433:klaptos:eva.mala:nove\n");
    EXPECT_EQ(PgPassFile::WithoutEntry(added, connection), others);

    connection.server = "/run/pg:sock";
    EXPECT_EQ(PgPassFile::WithEntry("", connection, "x"),
              "/run/pg\\:sock:5433:klaptos:eva.mala:x\n");
    connection.server.clear();
    EXPECT_EQ(PgPassFile::WithEntry("", connection, "x"), "localhost:5433:klaptos:eva.mala:x\n");

    EXPECT_EQ(PgPassFile::Path("", "/home/eva"), "/home/eva/.pgpass");
    EXPECT_EQ(PgPassFile::Path("/tmp/hesla", "/home/eva"), "/tmp/hesla");
}

TEST(ClassSetup, ReadsTheClassTeacherPupilsAndServerFromTheArguments) {
    std::string error;
    const std::optional<ClassSetup> setup = ClassSetup::Parse(
        {"--create-class", "7.A", "--teacher", "novakova", "--pupils", "eva.mala, jan_2,",
         "--pupil-file", "zaci.txt", "--host", "/tmp/pg", "--port", "5433", "--dbname", "skola",
         "--user", "spravce", "--new-passwords"},
        error);
    ASSERT_TRUE(setup) << error;
    EXPECT_EQ(setup->className, "7.A");
    EXPECT_EQ(setup->teacher, (ClassLogin{"novakova", ""}));
    EXPECT_EQ(setup->pupils, (std::vector<ClassLogin>{{"eva.mala", ""}, {"jan_2", ""}}));
    EXPECT_EQ(setup->pupilFile, "zaci.txt");
    EXPECT_EQ(setup->host, "/tmp/pg");
    EXPECT_EQ(setup->port, "5433");
    EXPECT_EQ(setup->database, "skola");
    EXPECT_EQ(setup->user, "spravce");
    EXPECT_TRUE(setup->newPasswords);
}

TEST(ClassSetup, RefusesArgumentsThatMakeNoClassSayingWhy) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"--create-class", "7.A"}, "Chybí přihlašovací jméno učitele (--teacher)."},
        {{"--create-class", "7.A", "--teacher"}, "Za volbou --teacher chybí hodnota."},
        {{"--create-class", "7.A", "--teacher", "Nováková"},
         "Neplatné přihlašovací jméno učitele „Nováková“."},
        {{"--create-class", "7.A", "--teacher", "x", "--pupils", "eva,Jan"},
         "Neplatné přihlašovací jméno „Jan“: jen malá písmena bez diakritiky, číslice, tečka, "
         "podtržítko a pomlčka."},
        {{"--create-class", "7.A", "--teacher", "x", "--colour", "red"}, "Neznámá volba --colour."},
        {{"--teacher", "x"}, "Chybí název třídy."},
    };
    for (const auto& [args, expected] : cases) {
        std::string error;
        EXPECT_FALSE(ClassSetup::Parse(args, error));
        EXPECT_EQ(error, expected);
    }
}

TEST(ClassSetup, AFileOfPupilsGivesLoginsWithOrWithoutPasswords) {
    std::vector<ClassLogin> pupils;
    std::string error;
    ASSERT_TRUE(ClassSetup::AddPupils("# 7.A\r\neva.mala\r\n\r\n  jan.novy  Heslo123 # ze zápisu\n"
                                      "petr\n",
                                      pupils, error))
        << error;
    EXPECT_EQ(pupils,
              (std::vector<ClassLogin>{{"eva.mala", ""}, {"jan.novy", "Heslo123"}, {"petr", ""}}));

    EXPECT_FALSE(ClassSetup::AddPupils("eva\njan moje heslo\n", pupils, error));
    EXPECT_EQ(error, "Řádek 2: heslo nesmí obsahovat mezeru.");
    EXPECT_FALSE(ClassSetup::AddPupils("eva\n\n-jan\n", pupils, error));
    EXPECT_TRUE(error.starts_with("Řádek 3: Neplatné přihlašovací jméno „-jan“")) << error;
}

TEST(ClassSetup, NewPasswordsAreTenCharactersThatCannotBeMisread) {
    uint32_t next = 0;
    const std::string password = ClassSetup::NewPassword([&next] { return next++ * 7; });
    EXPECT_EQ(password.size(), std::size_t{10});
    EXPECT_EQ(password.find_first_of("0O1lI"), std::string::npos);
    EXPECT_NE(password, ClassSetup::NewPassword([] { return 3u; }));
}

} // namespace
