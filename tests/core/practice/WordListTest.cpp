// The practice word list read from whatever lies in its place: only a regular file of a list's
// size is read, and nothing there ever holds the window or its memory.

#include "WordList.h"

#include "TempLessonDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A list of `count` words of five letters: "aaaaa", "aaaab", ...
std::string Words(std::size_t count) {
    std::string list;
    std::string word = "aaaaa";
    for (std::size_t i = 0; i < count; ++i) {
        list += word + "\n";
        for (std::size_t at = word.size(); at-- > 0;) {
            if (word[at] != 'z') {
                ++word[at];
                break;
            }
            word[at] = 'a';
        }
    }
    return list;
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(WordList, OnlyARegularFileOfAListsSizeIsRead) {
    TempLessonDir dir;
    const std::string path = dir.Path() + WordList::kFileName;

    Write(path, Words(WordList::kMinimumWords));
    EXPECT_EQ(WordList::Load(path).State(), WordList::Status::Ready);
    EXPECT_EQ(WordList::Load(path).Words().size(), WordList::kMinimumWords);

    const std::string oversized = Words(WordList::kMaxBytes / 6 + 1);
    ASSERT_GT(oversized.size(), WordList::kMaxBytes);
    Write(path, oversized);
    EXPECT_EQ(WordList::Load(path).State(), WordList::Status::Damaged) << "a list too large";

    Write(path, "");
    EXPECT_EQ(WordList::Load(path).State(), WordList::Status::Damaged) << "an empty list";

    fs::remove(path);
    EXPECT_EQ(WordList::Load(path).State(), WordList::Status::Missing) << "no list";
    fs::create_symlink(dir.Path() + "nothing", path);
    EXPECT_EQ(WordList::Load(path).State(), WordList::Status::Missing) << "a link to nothing";

    fs::remove(path);
    fs::create_symlink("/dev/zero", path);
    const WordList zero = WordList::Load(path);
    EXPECT_EQ(zero.State(), WordList::Status::Damaged) << "a link to an endless device";
    EXPECT_TRUE(zero.Words().empty());

    fs::remove(path);
    fs::create_directory(path);
    EXPECT_EQ(WordList::Load(path).State(), WordList::Status::Damaged) << "a directory";
}

TEST(WordList, AFifoInTheListsPlaceIsNotWaitedOn) {
    TempLessonDir dir;
    const std::string path = dir.Path() + WordList::kFileName;
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    auto loading = std::async(std::launch::async, [&] { return WordList::Load(path).State(); });
    // Only a guard against a hang: a right load returns at once, with no writer in sight.
    const bool returned = loading.wait_for(std::chrono::minutes(1)) == std::future_status::ready;
    if (!returned) {
        // Lets the blocked open go on, so that the test can end.
        const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) {
            ::close(writer);
        }
    }
    EXPECT_TRUE(returned) << "the load waited for a writer";
    EXPECT_EQ(loading.get(), WordList::Status::Damaged);
}

TEST(WordList, TheListMadeFromTheDictionaryFitsTheLimit) {
    const std::string path = std::string(KLAPTOS_BIN_DIR) + "/" + WordList::kFileName;
    if (!fs::exists(path)) {
        GTEST_SKIP() << "no word list was made: unmunch or hunspell-cs is missing";
    }
    // Room for a larger dictionary, yet not so much that a wrong file can take the window.
    EXPECT_LT(fs::file_size(path), WordList::kMaxBytes * 9 / 10);
    EXPECT_EQ(WordList::Load(path).State(), WordList::Status::Ready);
}

} // namespace
