// The help file: every link inside it leads somewhere, every chapter is in the contents, and
// the parts the features add are described there with their keys.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string HelpText() {
    std::ifstream in(KLAPTOS_SOURCE_DIR "/data/napoveda.html", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::set<std::string> Matches(const std::string& text, const std::regex& pattern) {
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
         it != std::sregex_iterator(); ++it) {
        found.insert((*it)[1].str());
    }
    return found;
}

// The part of the help from a chapter's heading to the next one.
std::string Chapter(const std::string& text, const std::string& anchor) {
    const std::size_t start = text.find("<h2><a name=\"" + anchor + "\">");
    if (start == std::string::npos) {
        return {};
    }
    return text.substr(start, text.find("<h2>", start + 1) - start);
}

TEST(HelpFile, EveryLinkHasItsPlaceAndEveryChapterIsInTheContents) {
    const std::string help = HelpText();
    ASSERT_FALSE(help.empty());
    const std::set<std::string> anchors = Matches(help, std::regex("<a name=\"([A-Z_]+)\">"));
    const std::set<std::string> links = Matches(help, std::regex("href=\"#([A-Z_]+)\""));
    for (const std::string& link : links) {
        EXPECT_TRUE(anchors.contains(link)) << link;
    }
    const std::string contents = help.substr(0, help.find("</ul>", help.find("<h3>Obsah</h3>")));
    for (const std::string& chapter : Matches(help, std::regex("<h2><a name=\"([A-Z_]+)\">"))) {
        EXPECT_NE(contents.find("href=\"#" + chapter + "\""), std::string::npos) << chapter;
    }
}

TEST(HelpFile, TheKeyboardItsErrorMapPracticeAndProgressAreDescribedWithTheirKeys) {
    const std::string help = HelpText();
    const struct {
        const char* chapter;
        std::vector<std::string> words;
    } chapters[] = {
        {"KEYBOARD",
         {"Ctrl+K", "Zobrazovat klávesnici", "F a J",
          "Klávesnice se na obrazovku "
          "nevejde."}},
        {"ERRORMAP", {"Ctrl+M", "Mapa chyb", "málo úhozů", "bez chyb"}},
        {"PRACTICE", {"Nejčastější chyby", "Procvičit chyby", "Alt+C", "slova.txt"}},
        {"PROGRESS", {"Ctrl+P", "Můj pokrok", "Zobrazit", "Exportovat do CSV"}},
    };
    for (const auto& [chapter, words] : chapters) {
        const std::string text = Chapter(help, chapter);
        ASSERT_FALSE(text.empty()) << chapter;
        for (const std::string& word : words) {
            EXPECT_NE(text.find(word), std::string::npos) << chapter << ": " << word;
        }
    }
    const std::string keys = Chapter(help, "KEYS");
    for (const char* key : {"Ctrl+K", "Ctrl+M", "Ctrl+P"}) {
        EXPECT_NE(keys.find(std::string("<td>") + key + "</td>"), std::string::npos) << key;
    }
    // Own texts: what a quotation mark or a dash becomes, since no key writes it.
    EXPECT_EQ(Chapter(help, "FORMAT").find("zůstanou, jak jsou"), std::string::npos);
}

} // namespace
