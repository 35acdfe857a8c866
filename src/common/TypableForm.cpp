#include "TypableForm.h"

#include "Cp1250.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace TypableForm {
namespace {

struct Form {
    char32_t codePoint;
    std::string_view form; // UTF-8
};

// Latin letters outside the code page: the letter without its foreign accent, keeping an
// accent the code page has (ǖ becomes ü); letters without a decomposition get the plain
// letters they are written with. Sorted by code point.
constexpr Form kLatin[] = {
    {0x00C0, "A"},  {0x00C3, "A"},  {0x00C5, "A"},  {0x00C6, "AE"}, {0x00C8, "E"},  {0x00CA, "E"},
    {0x00CC, "I"},  {0x00CF, "I"},  {0x00D0, "D"},  {0x00D1, "N"},  {0x00D2, "O"},  {0x00D5, "O"},
    {0x00D8, "O"},  {0x00D9, "U"},  {0x00DB, "U"},  {0x00DE, "Th"}, {0x00E0, "a"},  {0x00E3, "a"},
    {0x00E5, "a"},  {0x00E6, "ae"}, {0x00E8, "e"},  {0x00EA, "e"},  {0x00EC, "i"},  {0x00EF, "i"},
    {0x00F0, "d"},  {0x00F1, "n"},  {0x00F2, "o"},  {0x00F5, "o"},  {0x00F8, "o"},  {0x00F9, "u"},
    {0x00FB, "u"},  {0x00FE, "th"}, {0x00FF, "y"},  {0x0100, "A"},  {0x0101, "a"},  {0x0108, "C"},
    {0x0109, "c"},  {0x010A, "C"},  {0x010B, "c"},  {0x0112, "E"},  {0x0113, "e"},  {0x0114, "E"},
    {0x0115, "e"},  {0x0116, "E"},  {0x0117, "e"},  {0x011C, "G"},  {0x011D, "g"},  {0x011E, "G"},
    {0x011F, "g"},  {0x0120, "G"},  {0x0121, "g"},  {0x0122, "G"},  {0x0123, "g"},  {0x0124, "H"},
    {0x0125, "h"},  {0x0126, "H"},  {0x0127, "h"},  {0x0128, "I"},  {0x0129, "i"},  {0x012A, "I"},
    {0x012B, "i"},  {0x012C, "I"},  {0x012D, "i"},  {0x012E, "I"},  {0x012F, "i"},  {0x0130, "I"},
    {0x0131, "i"},  {0x0132, "IJ"}, {0x0133, "ij"}, {0x0134, "J"},  {0x0135, "j"},  {0x0136, "K"},
    {0x0137, "k"},  {0x0138, "k"},  {0x013B, "L"},  {0x013C, "l"},  {0x013F, "L"},  {0x0140, "l"},
    {0x0145, "N"},  {0x0146, "n"},  {0x0149, "n"},  {0x014A, "N"},  {0x014B, "n"},  {0x014C, "O"},
    {0x014D, "o"},  {0x014E, "O"},  {0x014F, "o"},  {0x0152, "OE"}, {0x0153, "oe"}, {0x0156, "R"},
    {0x0157, "r"},  {0x015C, "S"},  {0x015D, "s"},  {0x0166, "T"},  {0x0167, "t"},  {0x0168, "U"},
    {0x0169, "u"},  {0x016A, "U"},  {0x016B, "u"},  {0x016C, "U"},  {0x016D, "u"},  {0x0172, "U"},
    {0x0173, "u"},  {0x0174, "W"},  {0x0175, "w"},  {0x0176, "Y"},  {0x0177, "y"},  {0x0178, "Y"},
    {0x017F, "s"},  {0x0180, "b"},  {0x0197, "I"},  {0x019A, "l"},  {0x01A0, "O"},  {0x01A1, "o"},
    {0x01AF, "U"},  {0x01B0, "u"},  {0x01B5, "Z"},  {0x01B6, "z"},  {0x01C4, "DŽ"}, {0x01C5, "Dž"},
    {0x01C6, "dž"}, {0x01C7, "LJ"}, {0x01C8, "Lj"}, {0x01C9, "lj"}, {0x01CA, "NJ"}, {0x01CB, "Nj"},
    {0x01CC, "nj"}, {0x01CD, "A"},  {0x01CE, "a"},  {0x01CF, "I"},  {0x01D0, "i"},  {0x01D1, "O"},
    {0x01D2, "o"},  {0x01D3, "U"},  {0x01D4, "u"},  {0x01D5, "Ü"},  {0x01D6, "ü"},  {0x01D7, "Ü"},
    {0x01D8, "ü"},  {0x01D9, "Ü"},  {0x01DA, "ü"},  {0x01DB, "Ü"},  {0x01DC, "ü"},  {0x01DD, "e"},
    {0x01DE, "Ä"},  {0x01DF, "ä"},  {0x01E0, "A"},  {0x01E1, "a"},  {0x01E4, "G"},  {0x01E5, "g"},
    {0x01E6, "G"},  {0x01E7, "g"},  {0x01E8, "K"},  {0x01E9, "k"},  {0x01EA, "O"},  {0x01EB, "o"},
    {0x01EC, "O"},  {0x01ED, "o"},  {0x01F0, "j"},  {0x01F1, "DZ"}, {0x01F2, "Dz"}, {0x01F3, "dz"},
    {0x01F4, "G"},  {0x01F5, "g"},  {0x01F8, "N"},  {0x01F9, "n"},  {0x01FA, "Á"},  {0x01FB, "á"},
    {0x0200, "A"},  {0x0201, "a"},  {0x0202, "A"},  {0x0203, "a"},  {0x0204, "E"},  {0x0205, "e"},
    {0x0206, "E"},  {0x0207, "e"},  {0x0208, "I"},  {0x0209, "i"},  {0x020A, "I"},  {0x020B, "i"},
    {0x020C, "O"},  {0x020D, "o"},  {0x020E, "O"},  {0x020F, "o"},  {0x0210, "R"},  {0x0211, "r"},
    {0x0212, "R"},  {0x0213, "r"},  {0x0214, "U"},  {0x0215, "u"},  {0x0216, "U"},  {0x0217, "u"},
    {0x0218, "S"},  {0x0219, "s"},  {0x021A, "T"},  {0x021B, "t"},  {0x021E, "H"},  {0x021F, "h"},
    {0x0226, "A"},  {0x0227, "a"},  {0x0228, "E"},  {0x0229, "e"},  {0x022A, "Ö"},  {0x022B, "ö"},
    {0x022C, "O"},  {0x022D, "o"},  {0x022E, "O"},  {0x022F, "o"},  {0x0230, "O"},  {0x0231, "o"},
    {0x0232, "Y"},  {0x0233, "y"},  {0x0244, "U"},  {0x1E00, "A"},  {0x1E01, "a"},  {0x1E02, "B"},
    {0x1E03, "b"},  {0x1E04, "B"},  {0x1E05, "b"},  {0x1E06, "B"},  {0x1E07, "b"},  {0x1E08, "Ç"},
    {0x1E09, "ç"},  {0x1E0A, "D"},  {0x1E0B, "d"},  {0x1E0C, "D"},  {0x1E0D, "d"},  {0x1E0E, "D"},
    {0x1E0F, "d"},  {0x1E10, "D"},  {0x1E11, "d"},  {0x1E12, "D"},  {0x1E13, "d"},  {0x1E14, "E"},
    {0x1E15, "e"},  {0x1E16, "É"},  {0x1E17, "é"},  {0x1E18, "E"},  {0x1E19, "e"},  {0x1E1A, "E"},
    {0x1E1B, "e"},  {0x1E1C, "E"},  {0x1E1D, "e"},  {0x1E1E, "F"},  {0x1E1F, "f"},  {0x1E20, "G"},
    {0x1E21, "g"},  {0x1E22, "H"},  {0x1E23, "h"},  {0x1E24, "H"},  {0x1E25, "h"},  {0x1E26, "H"},
    {0x1E27, "h"},  {0x1E28, "H"},  {0x1E29, "h"},  {0x1E2A, "H"},  {0x1E2B, "h"},  {0x1E2C, "I"},
    {0x1E2D, "i"},  {0x1E2E, "Í"},  {0x1E2F, "í"},  {0x1E30, "K"},  {0x1E31, "k"},  {0x1E32, "K"},
    {0x1E33, "k"},  {0x1E34, "K"},  {0x1E35, "k"},  {0x1E36, "L"},  {0x1E37, "l"},  {0x1E38, "L"},
    {0x1E39, "l"},  {0x1E3A, "L"},  {0x1E3B, "l"},  {0x1E3C, "L"},  {0x1E3D, "l"},  {0x1E3E, "M"},
    {0x1E3F, "m"},  {0x1E40, "M"},  {0x1E41, "m"},  {0x1E42, "M"},  {0x1E43, "m"},  {0x1E44, "N"},
    {0x1E45, "n"},  {0x1E46, "N"},  {0x1E47, "n"},  {0x1E48, "N"},  {0x1E49, "n"},  {0x1E4A, "N"},
    {0x1E4B, "n"},  {0x1E4C, "Ó"},  {0x1E4D, "ó"},  {0x1E4E, "Ö"},  {0x1E4F, "ö"},  {0x1E50, "O"},
    {0x1E51, "o"},  {0x1E52, "Ó"},  {0x1E53, "ó"},  {0x1E54, "P"},  {0x1E55, "p"},  {0x1E56, "P"},
    {0x1E57, "p"},  {0x1E58, "R"},  {0x1E59, "r"},  {0x1E5A, "R"},  {0x1E5B, "r"},  {0x1E5C, "R"},
    {0x1E5D, "r"},  {0x1E5E, "R"},  {0x1E5F, "r"},  {0x1E60, "S"},  {0x1E61, "s"},  {0x1E62, "S"},
    {0x1E63, "s"},  {0x1E64, "Ś"},  {0x1E65, "ś"},  {0x1E66, "Š"},  {0x1E67, "š"},  {0x1E68, "S"},
    {0x1E69, "s"},  {0x1E6A, "T"},  {0x1E6B, "t"},  {0x1E6C, "T"},  {0x1E6D, "t"},  {0x1E6E, "T"},
    {0x1E6F, "t"},  {0x1E70, "T"},  {0x1E71, "t"},  {0x1E72, "U"},  {0x1E73, "u"},  {0x1E74, "U"},
    {0x1E75, "u"},  {0x1E76, "U"},  {0x1E77, "u"},  {0x1E78, "Ú"},  {0x1E79, "ú"},  {0x1E7A, "Ü"},
    {0x1E7B, "ü"},  {0x1E7C, "V"},  {0x1E7D, "v"},  {0x1E7E, "V"},  {0x1E7F, "v"},  {0x1E80, "W"},
    {0x1E81, "w"},  {0x1E82, "W"},  {0x1E83, "w"},  {0x1E84, "W"},  {0x1E85, "w"},  {0x1E86, "W"},
    {0x1E87, "w"},  {0x1E88, "W"},  {0x1E89, "w"},  {0x1E8A, "X"},  {0x1E8B, "x"},  {0x1E8C, "X"},
    {0x1E8D, "x"},  {0x1E8E, "Y"},  {0x1E8F, "y"},  {0x1E90, "Z"},  {0x1E91, "z"},  {0x1E92, "Z"},
    {0x1E93, "z"},  {0x1E94, "Z"},  {0x1E95, "z"},  {0x1E96, "h"},  {0x1E97, "t"},  {0x1E98, "w"},
    {0x1E99, "y"},  {0x1EA0, "A"},  {0x1EA1, "a"},  {0x1EA2, "A"},  {0x1EA3, "a"},  {0x1EA4, "Â"},
    {0x1EA5, "â"},  {0x1EA6, "Â"},  {0x1EA7, "â"},  {0x1EA8, "Â"},  {0x1EA9, "â"},  {0x1EAA, "Â"},
    {0x1EAB, "â"},  {0x1EAC, "Â"},  {0x1EAD, "â"},  {0x1EAE, "Ă"},  {0x1EAF, "ă"},  {0x1EB0, "Ă"},
    {0x1EB1, "ă"},  {0x1EB2, "Ă"},  {0x1EB3, "ă"},  {0x1EB4, "Ă"},  {0x1EB5, "ă"},  {0x1EB6, "Ă"},
    {0x1EB7, "ă"},  {0x1EB8, "E"},  {0x1EB9, "e"},  {0x1EBA, "E"},  {0x1EBB, "e"},  {0x1EBC, "E"},
    {0x1EBD, "e"},  {0x1EBE, "É"},  {0x1EBF, "é"},  {0x1EC0, "E"},  {0x1EC1, "e"},  {0x1EC2, "E"},
    {0x1EC3, "e"},  {0x1EC4, "E"},  {0x1EC5, "e"},  {0x1EC6, "E"},  {0x1EC7, "e"},  {0x1EC8, "I"},
    {0x1EC9, "i"},  {0x1ECA, "I"},  {0x1ECB, "i"},  {0x1ECC, "O"},  {0x1ECD, "o"},  {0x1ECE, "O"},
    {0x1ECF, "o"},  {0x1ED0, "Ô"},  {0x1ED1, "ô"},  {0x1ED2, "Ô"},  {0x1ED3, "ô"},  {0x1ED4, "Ô"},
    {0x1ED5, "ô"},  {0x1ED6, "Ô"},  {0x1ED7, "ô"},  {0x1ED8, "Ô"},  {0x1ED9, "ô"},  {0x1EDA, "Ó"},
    {0x1EDB, "ó"},  {0x1EDC, "O"},  {0x1EDD, "o"},  {0x1EDE, "O"},  {0x1EDF, "o"},  {0x1EE0, "O"},
    {0x1EE1, "o"},  {0x1EE2, "O"},  {0x1EE3, "o"},  {0x1EE4, "U"},  {0x1EE5, "u"},  {0x1EE6, "U"},
    {0x1EE7, "u"},  {0x1EE8, "Ú"},  {0x1EE9, "ú"},  {0x1EEA, "U"},  {0x1EEB, "u"},  {0x1EEC, "U"},
    {0x1EED, "u"},  {0x1EEE, "U"},  {0x1EEF, "u"},  {0x1EF0, "U"},  {0x1EF1, "u"},  {0x1EF2, "Y"},
    {0x1EF3, "y"},  {0x1EF4, "Y"},  {0x1EF5, "y"},  {0x1EF6, "Y"},  {0x1EF7, "y"},  {0x1EF8, "Y"},
    {0x1EF9, "y"},
};

// Punctuation, spaces and invisible marks, as the pupil types them: the quotes and dashes
// straight away in the plain forms their code page 1250 kin get at load. Sorted by code point.
constexpr Form kOther[] = {
    {0x00A0, " "},   {0x00A1, "!"},   {0x00AA, "a"},  {0x00AD, ""},    {0x00B2, "2"},
    {0x00B3, "3"},   {0x00B9, "1"},   {0x00BA, "o"},  {0x00BC, "1/4"}, {0x00BD, "1/2"},
    {0x00BE, "3/4"}, {0x00BF, "?"},   {0x02BB, "'"},  {0x02BC, "'"},   {0x02C6, "^"},
    {0x02DC, "~"},   {0x2000, " "},   {0x2001, " "},  {0x2002, " "},   {0x2003, " "},
    {0x2004, " "},   {0x2005, " "},   {0x2006, " "},  {0x2007, " "},   {0x2008, " "},
    {0x2009, " "},   {0x200A, " "},   {0x200B, ""},   {0x200C, ""},    {0x200D, ""},
    {0x200E, ""},    {0x200F, ""},    {0x2010, "-"},  {0x2011, "-"},   {0x2012, "-"},
    {0x2015, "-"},   {0x2016, "||"},  {0x201B, "'"},  {0x201F, "\""},  {0x2024, "."},
    {0x2025, ".."},  {0x2026, "..."}, {0x2027, "-"},  {0x2028, " "},   {0x2029, " "},
    {0x202F, " "},   {0x2032, "'"},   {0x2033, "\""}, {0x2043, "-"},   {0x2044, "/"},
    {0x205F, " "},   {0x2060, ""},    {0x2190, "<-"}, {0x2192, "->"},  {0x2212, "-"},
    {0x2215, "/"},   {0x2217, "*"},   {0x2219, "*"},  {0x2236, ":"},   {0x223C, "~"},
    {0x2264, "<="},  {0x2265, ">="},  {0x3000, " "},  {0xFEFF, ""},
};

constexpr bool Sorted(const auto& table) {
    return std::is_sorted(std::begin(table), std::end(table),
                          [](const Form& a, const Form& b) { return a.codePoint < b.codePoint; });
}
static_assert(Sorted(kLatin) && Sorted(kOther), "the tables are searched by halves");

template <std::size_t N>
std::optional<std::string_view> Find(const Form (&table)[N], char32_t codePoint) {
    const auto it = std::lower_bound(std::begin(table), std::end(table), codePoint,
                                     [](const Form& f, char32_t cp) { return f.codePoint < cp; });
    if (it != std::end(table) && it->codePoint == codePoint) {
        return it->form;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string_view> For(char32_t codePoint) {
    // Kept in the table below although the code page holds them: the Czech keyboard has no
    // key for these two, and a pupil cannot tell a no-break space from a space.
    if (codePoint == 0x2026 || codePoint == 0x00A0) {
        return Find(kOther, codePoint);
    }
    if (codePoint < 0x20 || codePoint == 0x7F) {
        return std::nullopt; // control characters are the line cleaning's business
    }
    if (Cp1250::FromUnicode(codePoint) != Cp1250::kUnmappable) {
        return std::nullopt;
    }
    if (codePoint >= 0x80 && codePoint < 0xA0) {
        return std::string_view(); // C1 control characters
    }
    if (auto form = Find(kLatin, codePoint)) {
        return form;
    }
    if (auto form = Find(kOther, codePoint)) {
        return form;
    }
    return kUnknown;
}

} // namespace TypableForm
