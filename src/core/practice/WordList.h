#pragma once
// The Czech words that practice texts are made of: a file beside the program with one word of
// Czech letters a line, the most common first, in code page 1250, made from the program's own
// texts and the hunspell dictionary when the program is built (Vocabulary answers from it).

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class WordList {
public:
    enum class Status { Ready, Missing, Damaged };

    static constexpr const char* kFileName = "slova.txt";
    // Fewer words than this cannot be the expanded dictionary.
    static constexpr size_t kMinimumWords = 1000;
    // The list made from the dictionary has 1.7 MB; a file much larger is not the list, and
    // reading it would hold the window and its memory.
    static constexpr size_t kMaxBytes = size_t{2} << 20;

    // Reads the whole list, from a regular file only and never waiting on what lies in its
    // place; nothing there is Missing. Anything else that is not a list of at least
    // kMinimumWords words within kMaxBytes (a directory, a FIFO, a device, a line that is no
    // word) is Damaged and holds no words.
    [[nodiscard]] static WordList Load(const std::string& path);
    // A list made in memory, for tests.
    [[nodiscard]] static WordList FromWords(const std::vector<std::string>& words);

    [[nodiscard]] Status State() const { return status_; }
    [[nodiscard]] const std::vector<std::string_view>& Words() const { return words_; }
    [[nodiscard]] bool Contains(std::string_view word) const;

    // Czech letters a-z, áčďéěíňóřšťúůýž and their capitals (code page 1250): a capital begins a
    // proper noun.
    [[nodiscard]] static bool IsWordCharacter(unsigned char c);

    WordList(WordList&&) noexcept = default;
    WordList& operator=(WordList&&) noexcept = default;
    WordList(const WordList&) = delete;
    WordList& operator=(const WordList&) = delete;

private:
    WordList() = default;
    bool Split();

    Status status_ = Status::Missing;
    std::unique_ptr<std::string> data_ = std::make_unique<std::string>(); // words_ point into it
    std::vector<std::string_view> words_;
};
