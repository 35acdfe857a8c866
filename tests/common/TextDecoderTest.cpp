#include "TextDecoder.h"

#include "Cp1250.h"
#include "TextEncodingDetector.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kCzech = "Příliš žluťoučký kůň úpěl ďábelské ódy.";

TextEncoding Detect(const std::string& bytes, std::size_t piece) {
    TextEncodingDetector detector;
    for (std::size_t i = 0; i < bytes.size(); i += piece) {
        detector.Feed(std::string_view(bytes).substr(i, piece));
    }
    return detector.Result();
}

// Decodes in pieces of `piece` bytes, so that characters are split between calls.
std::string Decode(TextEncoding encoding, const std::string& bytes, std::size_t piece,
                   TextDecoder* keep = nullptr) {
    TextDecoder local(encoding);
    TextDecoder& decoder = keep != nullptr ? *keep : local;
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += piece) {
        decoder.Decode(std::string_view(bytes).substr(i, piece), out);
    }
    decoder.Finish(out);
    return out;
}

} // namespace

TEST(TextEncodingDetector, TellsTheEncodingFromTheBytes) {
    struct Case {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
    };
    const Case cases[] = {
        {"Czech in code page 1250", Cp1250::FromUtf8(kCzech), TextEncoding::Cp1250},
        {"pure ASCII", "Zil byl jednou jeden kral.\r\n", TextEncoding::Cp1250},
        {"UTF-8 without mark", kCzech, TextEncoding::Utf8},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + kCzech, TextEncoding::Utf8},
        {"ASCII with a UTF-8 mark",
         "\xEF\xBB\xBF"
         "abc",
         TextEncoding::Utf8},
        {"UTF-16 LE mark",
         "\xFF\xFE"
         "a\0",
         TextEncoding::Utf16LE},
        {"UTF-16 BE mark", "\xFE\xFF\0a", TextEncoding::Utf16BE},
        {"UTF-8 then one stray byte", kCzech + "\xE8", TextEncoding::Utf8},
        {"UTF-8 then a broken sequence", kCzech + "\xE8x", TextEncoding::Cp1250},
        {"overlong form", "ab\xC0\xAF", TextEncoding::Cp1250},
        {"surrogate", "ab\xED\xA0\x80", TextEncoding::Cp1250},
        {"code page 1250 with a lead byte of UTF-8",
         "\xC8"
         "au",
         TextEncoding::Cp1250},
        {"empty", "", TextEncoding::Cp1250},
    };
    for (const Case& c : cases) {
        for (const std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{4096}}) {
            EXPECT_EQ(Detect(c.bytes, piece), c.encoding) << c.name << ", pieces of " << piece;
        }
    }
}

TEST(TextDecoder, EveryEncodingGivesTheCodePageWhateverThePieces) {
    const std::string expected = Cp1250::FromUtf8(kCzech + " „uvozovky“ – ok");
    const std::u16string text = u"\uFEFFPříliš žluťoučký kůň úpěl ďábelské ódy. „uvozovky“ – ok";
    std::string le;
    std::string be;
    for (const char16_t unit : text) {
        le += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        be += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
    }
    for (const std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{4096}}) {
        EXPECT_EQ(Decode(TextEncoding::Utf8, "\xEF\xBB\xBF" + kCzech + " „uvozovky“ – ok", piece),
                  expected);
        EXPECT_EQ(Decode(TextEncoding::Utf16LE, le, piece), expected) << piece;
        EXPECT_EQ(Decode(TextEncoding::Utf16BE, be, piece), expected) << piece;
        EXPECT_EQ(Decode(TextEncoding::Cp1250, expected, piece), expected) << piece;
    }
}

TEST(TextDecoder, CharactersWithoutAKeyBecomeTheirTypableForm) {
    struct Case {
        const char* text;
        const char* expected; // UTF-8 of the code page result
    };
    const Case cases[] = {
        {"…", "..."},
        {"\u00A0", " "},
        {"ñ", "n"},
        {"ø", "o"},
        {"æ", "ae"},
        {"Œ", "OE"},
        {"à", "a"},
        {"ǖ", "ü"},
        {"ẞ", "?"},
        {"ễ", "e"},
        {"ł", "ł"},
        {"ß", "ß"},
        {"—", "—"},
        {"‘’", "‘’"},
        {"\u2009", " "},
        {"\u200B", ""},
        {"−", "-"},
        {"😀", "?"},
        {"Ω", "?"},
        {"\xC2\x85", ""},
        {"ab\xFF"
         "c",
         "ab?c"},
        {"\xE2\x80", "?"},
        {"x\tz\r\n", "x\tz\r\n"},
        {"\uFEFFa\uFEFFb", "ab"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cp1250::ToUtf8(Decode(TextEncoding::Utf8, c.text, 4096)), c.expected) << c.text;
    }
}

TEST(TextDecoder, CountsTheReplacementsInTheOrderTheyCame) {
    TextDecoder decoder(TextEncoding::Utf8);
    Decode(TextEncoding::Utf8, "\uFEFFSeñor… ñ… ø\u00A0\u200B😀", 2, &decoder);
    EXPECT_EQ(decoder.Replacements(), (std::vector<TextDecoder::Replacement>{{U'ñ', "n", 2},
                                                                             {U'…', "...", 2},
                                                                             {U'ø', "o", 1},
                                                                             {0xA0, " ", 1},
                                                                             {0x200B, "", 1},
                                                                             {0x1F600, "?", 1}}))
        << "the mark at the start is no replacement";
    EXPECT_EQ(decoder.ListUtf8(), "ñ → n (2×), … → ... (2×), ø → o (1×), U+00A0 → mezera (1×), "
                                  "U+200B → vypuštěno (1×), 😀 → ? (1×)");
}

TEST(TextDecoder, LongListNamesTheFirstAndCountsTheOthers) {
    TextDecoder decoder(TextEncoding::Utf16LE);
    std::string bytes;
    for (char16_t greek = u'α'; greek < u'α' + 24; ++greek) {
        bytes += {static_cast<char>(greek & 0xFF), static_cast<char>(greek >> 8)};
        bytes += {static_cast<char>(greek & 0xFF), static_cast<char>(greek >> 8)};
    }
    EXPECT_EQ(Decode(TextEncoding::Utf16LE, bytes, 4096, &decoder), std::string(48, '?'));
    const std::string list = decoder.ListUtf8();
    EXPECT_TRUE(list.starts_with("α → ? (2×), β → ? (2×)")) << list;
    EXPECT_TRUE(list.ends_with("τ → ? (2×), další znaky (8×)")) << list;
}
