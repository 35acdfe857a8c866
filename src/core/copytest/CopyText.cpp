#include "CopyText.h"

std::vector<std::string_view> CopyText::Words() const {
    std::vector<std::string_view> words;
    for (const std::string& paragraph : paragraphs) {
        std::string_view rest = paragraph;
        while (!rest.empty()) {
            const std::size_t space = rest.find(' ');
            const std::string_view word = rest.substr(0, space);
            if (!word.empty()) {
                words.push_back(word);
            }
            if (space == std::string_view::npos) {
                break;
            }
            rest.remove_prefix(space + 1);
        }
    }
    return words;
}
