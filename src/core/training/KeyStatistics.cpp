#include "KeyStatistics.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>

void KeyStatistics::Add(unsigned char character, KeyOccurrence occurrence) {
    std::deque<KeyOccurrence>& window = windows_[character];
    window.push_back(occurrence);
    if (window.size() > kWindow) {
        window.pop_front();
    }
}

KeyMeasure KeyStatistics::Measure(unsigned char character) const {
    KeyMeasure measure;
    double msSum = 0;
    int wrong = 0;
    for (const KeyOccurrence& occurrence : windows_[character]) {
        ++measure.occurrences;
        wrong += occurrence.struck != 0 ? 1 : 0;
        if (occurrence.msPerPress > 0) {
            ++measure.timed;
            msSum += occurrence.msPerPress;
        }
    }
    if (measure.timed > 0 && msSum > 0) {
        measure.speed = 60000.0 * measure.timed / msSum;
    }
    if (measure.occurrences > 0) {
        measure.errorRate = static_cast<double>(wrong) / measure.occurrences;
    }
    return measure;
}

std::vector<std::pair<unsigned char, int>>
KeyStatistics::StruckInstead(unsigned char character) const {
    std::map<unsigned char, int> counts;
    for (const KeyOccurrence& occurrence : windows_[character]) {
        if (occurrence.struck != 0) {
            ++counts[occurrence.struck];
        }
    }
    std::vector<std::pair<unsigned char, int>> struck(counts.begin(), counts.end());
    std::stable_sort(struck.begin(), struck.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    return struck;
}

std::string KeyStatistics::Save() const {
    std::string saved;
    for (size_t c = 0; c < windows_.size(); ++c) {
        if (windows_[c].empty()) {
            continue;
        }
        saved += std::to_string(c);
        for (const KeyOccurrence& occurrence : windows_[c]) {
            char part[32];
            std::snprintf(part, sizeof part, " %.1f", static_cast<double>(occurrence.msPerPress));
            saved += part;
            if (occurrence.struck != 0) {
                saved += '/' + std::to_string(occurrence.struck);
            }
        }
        saved += '\n';
    }
    return saved;
}

namespace {

bool ReadNumber(std::string_view& text, double& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc()) {
        return false;
    }
    text.remove_prefix(static_cast<size_t>(end - text.data()));
    return true;
}

} // namespace

void KeyStatistics::Load(std::string_view saved) {
    while (!saved.empty()) {
        const size_t end = std::min(saved.find('\n'), saved.size());
        std::string_view line = saved.substr(0, end);
        saved.remove_prefix(std::min(end + 1, saved.size()));
        double character = 0;
        if (!ReadNumber(line, character) || character < 1 || character > 255) {
            continue;
        }
        while (!line.empty() && line.front() == ' ') {
            line.remove_prefix(1);
            double ms = 0;
            double struck = 0;
            if (!ReadNumber(line, ms) || ms < 0 || ms > 60000) {
                break;
            }
            if (!line.empty() && line.front() == '/') {
                line.remove_prefix(1);
                if (!ReadNumber(line, struck) || struck < 0 || struck > 255) {
                    break;
                }
            }
            Add(static_cast<unsigned char>(character),
                {static_cast<float>(ms), static_cast<unsigned char>(struck)});
        }
    }
}
