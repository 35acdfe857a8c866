#include "LineWrapper.h"

bool LineWrapper::TakeLines(std::string& text, bool whole, std::size_t width,
                            std::vector<std::string>& lines, std::size_t maxLines) {
    bool broken = false;
    std::size_t pos = 0;
    while (lines.size() < maxLines && pos < text.size()) {
        const std::size_t left = text.size() - pos;
        if (left <= width) {
            if (whole) {
                lines.push_back(text.substr(pos));
                pos = text.size();
            }
            break;
        }
        // The space may stand just after the last place that fits: the line is then full.
        std::size_t length = width;
        for (std::size_t k = width; k > 0; --k) {
            if (text[pos + k] == ' ' && text[pos + k - 1] != ' ') {
                length = k;
                break;
            }
        }
        lines.push_back(text.substr(pos, length));
        broken = true;
        pos += length;
        while (pos < text.size() && text[pos] == ' ') {
            ++pos;
        }
    }
    text.erase(0, pos);
    return broken;
}
