#include "CopyTextReader.h"

#include "Cp1250.h"
#include "TextDecoder.h"
#include "TextEncodingDetector.h"
#include "TypableText.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::string Text(std::string_view utf8) {
    return Cp1250::FromUtf8(utf8);
}

std::string ToCodePage(std::string_view bytes) {
    TextEncodingDetector detector;
    detector.Feed(bytes);
    const TextEncoding encoding = detector.Result();
    if (encoding == TextEncoding::Cp1250) {
        return std::string(bytes);
    }
    TextDecoder decoder(encoding);
    std::string text;
    decoder.Decode(bytes, text);
    decoder.Finish(text);
    return text;
}

// A line without its line end, tabs as spaces, other control characters gone, and without
// the spaces around it.
std::string CleanLine(std::string_view line) {
    std::string clean;
    clean.reserve(line.size());
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\t') {
            clean += ' ';
        } else if (byte >= 0x20 && byte != 0x7F) {
            clean += c;
        }
    }
    const std::size_t first = clean.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return clean.substr(first, clean.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(CleanLine(text.substr(0, end)));
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return lines;
}

// One space between words, none at either end.
std::string SingleSpaced(std::string_view text) {
    std::string spaced;
    spaced.reserve(text.size());
    for (const char c : text) {
        if (c == ' ' && (spaced.empty() || spaced.back() == ' ')) {
            continue;
        }
        spaced += c;
    }
    if (!spaced.empty() && spaced.back() == ' ') {
        spaced.pop_back();
    }
    return spaced;
}

} // namespace

CopyTextReader::Result CopyTextReader::Read(const std::string& path, const KeyboardLayout& layout) {
    std::error_code error;
    const bool regular = std::filesystem::is_regular_file(path, error);
    const auto size = regular ? std::filesystem::file_size(path, error) : 0;
    std::ifstream file;
    if (regular && !error) {
        file.open(path, std::ios::binary);
    }
    if (!file.is_open()) {
        return {std::nullopt, Text("Nemohu otevřít soubor: ") + Cp1250::FromUtf8(path)};
    }
    if (size > kMaxFileBytes) {
        return {std::nullopt, Text("Soubor ") + Cp1250::FromUtf8(path) +
                                  Text(" je na text k opisu příliš velký (víc než 1 MB).")};
    }
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return Parse(bytes, Cp1250::FromUtf8(std::filesystem::path(path).stem().string()), layout);
}

CopyTextReader::Result CopyTextReader::Parse(std::string_view bytes,
                                             const std::string& fallbackTitle,
                                             const KeyboardLayout& layout) {
    const std::vector<std::string> lines = Lines(ToCodePage(bytes));
    std::size_t at = 0;
    while (at < lines.size() && lines[at].empty()) {
        ++at;
    }
    CopyText copy;
    // A title line stands alone, with an empty line after it; a file without one starts
    // with its first paragraph.
    if (at + 2 < lines.size() && lines[at + 1].empty()) {
        copy.title = lines[at];
        at += 2;
    } else {
        copy.title = fallbackTitle;
    }

    std::string untypable;
    std::string paragraph;
    const auto finishParagraph = [&] {
        TypableText::Result typable = TypableText::Make(paragraph, layout);
        for (const char c : typable.untypable) {
            if (untypable.find(c) == std::string::npos) {
                untypable += c;
            }
        }
        std::string spaced = SingleSpaced(typable.text);
        if (!spaced.empty()) {
            copy.paragraphs.push_back(std::move(spaced));
        }
        paragraph.clear();
    };
    for (; at < lines.size(); ++at) {
        if (lines[at].empty()) {
            finishParagraph();
            continue;
        }
        if (!paragraph.empty()) {
            paragraph += ' ';
        }
        paragraph += lines[at];
    }
    finishParagraph();

    if (!untypable.empty()) {
        std::string listed;
        for (const char c : untypable) {
            listed += listed.empty() ? "" : " ";
            listed += c;
        }
        return {std::nullopt, Text("Text „") + copy.title +
                                  Text("“ obsahuje znaky, které na české klávesnici nenapíšete: ") +
                                  listed + Text(". Opravte je v souboru, nebo zvolte jiný text.")};
    }
    if (copy.paragraphs.empty()) {
        return {std::nullopt, Text("V souboru není žádný text k opisu.")};
    }
    return {std::move(copy), {}};
}

std::string CopyTextReader::TitleOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string line;
    if (!file || !std::getline(file, line)) {
        return {};
    }
    return CleanLine(ToCodePage(line));
}
