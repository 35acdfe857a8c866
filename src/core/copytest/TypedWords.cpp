#include "TypedWords.h"

TypedWords TypedWords::Split(std::string_view typed) {
    TypedWords result;
    std::size_t start = 0;
    char before = 0; // the separator in front of the current word, 0 at the start
    for (std::size_t at = 0; at <= typed.size(); ++at) {
        const bool end = at == typed.size();
        const char c = end ? 0 : typed[at];
        if (!end && c != ' ' && c != '\n') {
            continue;
        }
        const std::string_view word = typed.substr(start, at - start);
        // An empty word beside an Enter is the Enter's own error already; at the end of the
        // text it is only the place where the next word would begin.
        const bool dropped = word.empty() && (before == '\n' || c == '\n' || end);
        if (!dropped) {
            result.words.push_back({word, 0});
        }
        if (c == '\n') {
            if (result.words.empty()) {
                ++result.leadingEnters;
            } else {
                ++result.words.back().entersAfter;
            }
        }
        before = c;
        start = at + 1;
    }
    result.lastFinished = !typed.empty() && (typed.back() == ' ' || typed.back() == '\n');
    return result;
}
