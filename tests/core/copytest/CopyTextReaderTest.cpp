// Reading copy texts: the program's own files, a pupil's files in other encodings with wrapped
// lines, the typed forms of typographic characters, and texts that cannot be copied.

#include "CopyTextReader.h"
#include "CopyTextCatalog.h"
#include "Cp1250.h"
#include "KeyboardLayout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::string kSamples = std::string(KLAPTOS_SOURCE_DIR) + "/tests/data/opisy/";

std::vector<std::string> Utf8(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        out.push_back(Cp1250::ToUtf8(line));
    }
    return out;
}

TEST(CopyTextReader, ReadsTheProgramsOwnFormat) {
    const auto read =
        CopyTextReader::Read(kSamples + "02-objednavka.txt", KeyboardLayout::Qwertz());
    ASSERT_TRUE(read.text) << Cp1250::ToUtf8(read.problem);
    EXPECT_EQ(Cp1250::ToUtf8(read.text->title), "Odpověď na objednávku");
    // „ “ and – have no key: the pupil types " and -.
    EXPECT_EQ(Utf8(read.text->paragraphs),
              (std::vector<std::string>{
                  "Vážená paní Šťastná, děkujeme Vám za objednávku ze dne 12. 3. 2024. Zboží Vám "
                  "odešleme do pátku; jeho cena činí 1 250 Kč včetně DPH.",
                  "Ústřední sklad v Ostravě má otevřeno od 7 do 15 hodin. Řidiči jezdí podle "
                  "plánu \"od města k městu\" - a ten se mění jen výjimečně.",
                  "S pozdravem Ondřej Ťoupal, vedoucí prodeje"}));
    EXPECT_EQ(read.text->Words().size(), 57U);
}

TEST(CopyTextReader, JoinsAPupilsWrappedLinesIntoParagraphs) {
    struct Row {
        const char* name;
        std::string bytes;
        const char* title;
        std::vector<std::string> paragraphs;
    };
    const Row rows[] = {
        {"UTF-8 with a title, wrapped lines, tabs and a no-break space",
         "\xEF\xBB\xBFJarní úklid\n\nOkna   se myjí\n\tv dubnu…\nkdyž\xC2\xA0svítí.\n\n\n"
         "Druhý odstavec\n",
         "Jarní úklid",
         {"Okna se myjí v dubnu... když svítí.", "Druhý odstavec"}},
        {"no title line: the file's name stands for it",
         "První řádek\npokračuje.\n\nDruhý.",
         "vlastni",
         {"První řádek pokračuje.", "Druhý."}},
        // ō is no character of the code page: the own-text loader writes o for it.
        {"UTF-16 with its byte order mark",
         std::string("\xFF\xFE"
                     "A\0\n\0\n\0\x4D\x01\n\0",
                     12),
         "A",
         {"o"}},
    };
    for (const Row& row : rows) {
        const auto read = CopyTextReader::Parse(row.bytes, "vlastni", KeyboardLayout::Qwertz());
        ASSERT_TRUE(read.text) << row.name << ": " << Cp1250::ToUtf8(read.problem);
        EXPECT_EQ(Cp1250::ToUtf8(read.text->title), row.title) << row.name;
        EXPECT_EQ(Utf8(read.text->paragraphs), row.paragraphs) << row.name;
    }
}

TEST(CopyTextReader, TypesSignsAsAPupilWouldAndRefusesATextWithoutWords) {
    const auto signs = CopyTextReader::Parse(Cp1250::FromUtf8("Ceny\n\nRůst o 5 ‰ ™ a ‰."), "x",
                                             KeyboardLayout::Qwertz());
    ASSERT_TRUE(signs.text);
    EXPECT_EQ(Utf8(signs.text->paragraphs),
              std::vector<std::string>{"Růst o 5 promile (TM) a promile."});

    const auto empty = CopyTextReader::Parse("\r\n  \r\n", "x", KeyboardLayout::Qwertz());
    EXPECT_FALSE(empty.text);
    EXPECT_EQ(Cp1250::ToUtf8(empty.problem), "V souboru není žádný text k opisu.");

    const auto missing = CopyTextReader::Read("/nonexistent/opis.txt", KeyboardLayout::Qwertz());
    EXPECT_FALSE(missing.text);
    EXPECT_EQ(Cp1250::ToUtf8(missing.problem), "Nemohu otevřít soubor: /nonexistent/opis.txt");
}

TEST(CopyTextCatalog, ListsTheTextFilesOfAFolderByNameWithTheirTitles) {
    const auto dir = std::filesystem::temp_directory_path() / "klaptos-copy-catalog";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "03-folder.txt");
    for (const char* name : {"02-objednavka.txt", "01-zahrada.txt"}) {
        std::filesystem::copy_file(kSamples + name, dir / name);
    }
    std::ofstream(dir / "poznamky.md") << "nic";
    const std::vector<CopyTextEntry> entries = CopyTextCatalog::List(dir.string());
    ASSERT_EQ(entries.size(), 2U);
    EXPECT_EQ(entries[0].path, (dir / "01-zahrada.txt").string());
    EXPECT_EQ(Cp1250::ToUtf8(entries[0].title), "Zahrada v létě");
    EXPECT_EQ(Cp1250::ToUtf8(entries[1].title), "Odpověď na objednávku");
    std::filesystem::remove_all(dir);

    EXPECT_TRUE(CopyTextCatalog::List(dir.string()).empty());
}

} // namespace
