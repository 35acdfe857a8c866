#include "WordList.h"

#include "Cp1250.h"
#include "WholeFile.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

const std::array<bool, 256>& WordCharacters() {
    static const std::array<bool, 256> table = [] {
        std::array<bool, 256> t{};
        for (char c = 'a'; c <= 'z'; ++c) {
            t[static_cast<unsigned char>(c)] = true;
        }
        for (char c = 'A'; c <= 'Z'; ++c) {
            t[static_cast<unsigned char>(c)] = true;
        }
        for (const char c : Cp1250::FromUtf8("áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ")) {
            t[static_cast<unsigned char>(c)] = true;
        }
        return t;
    }();
    return table;
}

} // namespace

bool WordList::IsWordCharacter(unsigned char c) {
    return WordCharacters()[c];
}

WordList WordList::Load(const std::string& path) {
    WordList list;
    WholeFile::Content file = WholeFile::Read(path, kMaxBytes);
    if (file.status == WholeFile::Status::Missing) {
        return list;
    }
    if (file.status != WholeFile::Status::Read) {
        // A directory, a FIFO, a device or a file far larger than the list: not the list.
        list.status_ = Status::Damaged;
        return list;
    }
    *list.data_ = std::move(file.bytes);
    list.status_ =
        list.Split() && list.words_.size() >= kMinimumWords ? Status::Ready : Status::Damaged;
    if (list.status_ != Status::Ready) {
        list.words_.clear();
    }
    return list;
}

WordList WordList::FromWords(const std::vector<std::string>& words) {
    WordList list;
    for (const std::string& word : words) {
        *list.data_ += word;
        *list.data_ += '\n';
    }
    list.status_ = list.Split() ? Status::Ready : Status::Damaged;
    return list;
}

bool WordList::Split() {
    const auto& wordCharacter = WordCharacters();
    const std::string& data = *data_;
    words_.clear();
    words_.reserve(data.size() / 8);
    size_t start = 0;
    for (size_t i = 0; i <= data.size(); ++i) {
        if (i < data.size() && data[i] != '\n') {
            if (!wordCharacter[static_cast<unsigned char>(data[i])] &&
                !(data[i] == '\r' && i + 1 < data.size() && data[i + 1] == '\n')) {
                return false;
            }
            continue;
        }
        size_t end = i;
        if (end > start && data[end - 1] == '\r') {
            --end;
        }
        if (end > start) {
            words_.emplace_back(data.data() + start, end - start);
        }
        start = i + 1;
    }
    return true;
}

bool WordList::Contains(std::string_view word) const {
    return std::find(words_.begin(), words_.end(), word) != words_.end();
}
