#include "IniFile.h"

#include "Descriptor.h"
#include "FileReplacement.h"
#include "HexDigit.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// A settings file is a few hundred bytes; anything beyond this is not one of ours, and
// reading it whole at every start would only cost time and memory. Such a file is read as
// unreadable, so it is never written back cut short.
constexpr std::size_t kMaxFileBytes = std::size_t{16} << 20;
constexpr std::size_t kMaxStringLength = 2047;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Only ASCII letters fold: the program's own names are ASCII, and folding code page 1250
// letters would need a locale that the settings file does not carry.
bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (fold(a[i]) != fold(b[i])) {
            return false;
        }
    }
    return true;
}

// The name of a section line, or nothing when the line does not open a section.
// The name runs to the last ']', so a name may itself hold a ']'.
bool SectionName(std::string_view line, std::string_view& name) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') {
        return false;
    }
    const auto close = line.rfind(']');
    if (close == std::string_view::npos || close == 0) {
        return false;
    }
    name = Trim(line.substr(1, close - 1));
    return true;
}

// The key and value of a "key=value" line; a line without "=" or with an empty key is
// no key at all.
bool KeyAndValue(std::string_view line, std::string_view& key, std::string_view& value) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
        return false;
    }
    key = Trim(line.substr(0, equals));
    value = Trim(line.substr(equals + 1));
    return !key.empty();
}

// A line break or NUL inside a name or value would split the line, so a value could add
// sections and keys of its own; each becomes a space instead.
std::string OneLine(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '\r' || c == '\n' || c == '\0') {
            c = ' ';
        }
    }
    return out;
}

// Leading digits are read and anything after them is ignored, as the platform's profile
// functions do ("12abc" is 12). No digit at all, or a number that does not fit, is no
// number. Hexadecimal covers the full 32 bits, so "0xFFFFFFFF" is -1.
bool ParseInteger(std::string_view text, int& result) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        uint64_t value = 0;
        std::size_t i = 2;
        for (; i < text.size() && HexDigit(text[i]) >= 0; ++i) {
            value = value * 16 + static_cast<uint64_t>(HexDigit(text[i]));
            if (value > UINT32_MAX) {
                return false;
            }
        }
        if (i == 2) {
            return false;
        }
        result = static_cast<int>(static_cast<int32_t>(static_cast<uint32_t>(value)));
        return true;
    }
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        ++i;
    }
    const std::size_t firstDigit = i;
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t{INT32_MAX} + 1) {
            return false;
        }
    }
    if (i == firstDigit) {
        return false;
    }
    if (negative) {
        value = -value;
    }
    if (value > INT32_MAX || value < INT32_MIN) {
        return false;
    }
    result = static_cast<int>(value);
    return true;
}

using Lines = std::vector<std::string>;
constexpr std::size_t npos = std::string::npos;

std::size_t FindSection(const Lines& lines, const std::string& section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        // An editor's byte order mark must not hide the first section.
        if (i == 0 && line.starts_with(kUtf8Bom)) {
            line.remove_prefix(kUtf8Bom.size());
        }
        std::string_view name;
        if (SectionName(line, name) && EqualNoCase(name, section)) {
            return i;
        }
    }
    return npos;
}

// The line after the last one of the section that starts at `header`.
std::size_t SectionEnd(const Lines& lines, std::size_t header) {
    std::string_view name;
    for (std::size_t i = header + 1; i < lines.size(); ++i) {
        if (SectionName(lines[i], name)) {
            return i;
        }
    }
    return lines.size();
}

// Duplicate sections and keys: the first one counts, for reading and for writing.
std::size_t FindKey(const Lines& lines, const std::string& section, const std::string& key) {
    const std::size_t header = FindSection(lines, section);
    if (header == npos) {
        return npos;
    }
    const std::size_t end = SectionEnd(lines, header);
    for (std::size_t i = header + 1; i < end; ++i) {
        std::string_view name;
        std::string_view value;
        if (KeyAndValue(lines[i], name, value) && EqualNoCase(name, key)) {
            return i;
        }
    }
    return npos;
}

bool FindValue(const Lines& lines, const std::string& section, const std::string& key,
               std::string_view& value) {
    const std::size_t line = FindKey(lines, section, key);
    if (line == npos) {
        return false;
    }
    std::string_view name;
    KeyAndValue(lines[line], name, value);
    // The platform hands values out as C strings: a NUL ends the value.
    value = value.substr(0, value.find('\0'));
    return true;
}

} // namespace

IniWriteError::IniWriteError(const std::string& path)
    : std::runtime_error("Unable to write to " + path), path_(path) {}

IniFile::IniFile(std::string path) : path_(std::move(path)) {
    // Non-blocking, so that a FIFO or device in the file's place cannot stop the start-up;
    // only a regular file is read.
    if (path_.find('\0') != std::string::npos) {
        return;
    }
    Descriptor file(::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Get() < 0) {
        // A missing file, or a link to nothing, holds no settings to lose.
        unreadable_ = errno != ENOENT;
        return;
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) {
        unreadable_ = true;
        return;
    }
    if (!S_ISREG(info.st_mode)) {
        return;
    }
    if (static_cast<std::uintmax_t>(info.st_size) > kMaxFileBytes) {
        unreadable_ = true;
        return;
    }
    std::string content;
    char buffer[65536];
    // One byte past the limit tells a file that grew since fstat from one that ends there.
    while (content.size() <= kMaxFileBytes) {
        const std::size_t wanted = std::min(sizeof buffer, kMaxFileBytes + 1 - content.size());
        const ssize_t got = ::read(file.Get(), buffer, wanted);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            unreadable_ = true;
            return;
        }
        if (got == 0) {
            break;
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
    if (content.size() > kMaxFileBytes) {
        unreadable_ = true;
        return;
    }
    // CR LF, LF alone and CR alone all end a line: editors of every system write the file.
    std::size_t start = 0;
    while (start < content.size()) {
        auto end = content.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            end = content.size();
        }
        lines_.emplace_back(content, start, end - start);
        start = end + 1;
        if (end < content.size() && content[end] == '\r' && start < content.size() &&
            content[start] == '\n') {
            ++start;
        }
    }
}

int IniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
    std::string_view value;
    int result = def;
    if (!FindValue(lines_, section, key, value) || !ParseInteger(value, result)) {
        return def;
    }
    return result;
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& def) const {
    std::string_view value;
    if (!FindValue(lines_, section, key, value)) {
        return def;
    }
    return std::string(value.substr(0, kMaxStringLength));
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
    const std::string cleanKey = OneLine(key);
    const std::string entry = cleanKey + "=" + OneLine(value);

    // Changed in memory first and undone when the disk refuses, so the object always
    // mirrors what the file holds.
    const std::size_t oldSize = lines_.size();
    std::size_t replaced = npos;
    std::string oldLine;
    std::size_t inserted = npos;

    const std::size_t existing = FindKey(lines_, section, cleanKey);
    const std::size_t header = FindSection(lines_, section);
    if (existing != npos) {
        // The key keeps its spelling and indentation; only the value changes.
        replaced = existing;
        oldLine = lines_[existing];
        const auto equals = oldLine.find('=');
        lines_[existing] = oldLine.substr(0, equals + 1) + OneLine(value);
    } else if (header != npos) {
        // After the section's last non-blank line, so blank lines between sections stay
        // between sections.
        std::size_t at = SectionEnd(lines_, header);
        while (at > header + 1 && Trim(lines_[at - 1]).empty()) {
            --at;
        }
        inserted = at;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), entry);
    } else {
        lines_.push_back("[" + OneLine(section) + "]");
        lines_.push_back(entry);
    }

    if (holdDepth_ > 0) {
        held_ = true;
        return;
    }
    if (unreadable_) {
        return;
    }
    try {
        if (!FileReplacement::Replace(path_, lines_)) {
            throw IniWriteError(path_);
        }
    } catch (...) {
        if (replaced != npos) {
            lines_[replaced] = std::move(oldLine);
        } else if (inserted != npos) {
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(inserted));
        } else {
            lines_.resize(oldSize);
        }
        throw;
    }
}

void IniFile::HoldWrites() {
    ++holdDepth_;
}

void IniFile::ReleaseWrites() {
    if (holdDepth_ == 0 || --holdDepth_ > 0 || !held_) {
        return;
    }
    held_ = false;
    if (!unreadable_) {
        if (!FileReplacement::Replace(path_, lines_)) {
            throw IniWriteError(path_);
        }
    }
}
