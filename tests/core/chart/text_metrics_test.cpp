// Which characters the fixed metrics count as wide, at the edges of each range, against the
// Unicode Character Database's EastAsianWidth.txt (W or F wide; N, Na, H and A narrow).
#include "chart/text_metrics.h"

#include <gtest/gtest.h>

using namespace humidraw;

TEST(WideCodePoints, EdgesOfTheRangesAsPublished) {
    struct Case {
        char32_t c;
        bool wide;
    } const cases[] = {
        {0x10FF, false}, {0x1100, true},  {0x115F, true},   {0x1160, false},  // Hangul Jamo
        {0x2319, false}, {0x231A, true},  {0x231B, true},   {0x231C, false},  // watch, hourglass
        {0x2328, false}, {0x2329, true},  {0x232A, true},   {0x232B, false},  // angle brackets
        {0x23E8, false}, {0x23E9, true},  {0x23EC, true},   {0x23ED, false},
        {0x23EF, false}, {0x23F0, true},  {0x23F1, false},  {0x23F3, true},
        {0x23F4, false}, {0x25FD, true},  {0x25FE, true},   {0x25FF, false},
        {0x2613, false}, {0x2614, true},  {0x2615, true},   {0x2616, false},
        {0x2E7F, false}, {0x2E80, true},  {0x303E, true},   {0x303F, false},  // CJK radicals …
        {0x3041, true},  {0x33FF, true},  {0x3400, true},   {0x4DBF, true},   // kana, CJK
        {0x4DC0, false}, {0x4E00, true},  {0x9FFF, true},   {0xA000, true},   // hexagrams, Yi
        {0xA4CF, true},  {0xA4D0, false}, {0xA95F, false},  {0xA960, true},   // Lisu, Jamo A
        {0xA97F, true},  {0xA980, false}, {0xAC00, true},   {0xD7A3, true},   // Javanese, Hangul
        {0xD7A4, false}, {0xF8FF, false}, {0xF900, true},   {0xFAFF, true},   // compatibility
        {0xFB00, false}, {0xFE0F, false}, {0xFE10, true},   {0xFE19, true},   // vertical forms
        {0xFE1A, false}, {0xFE30, true},  {0xFE6F, true},   {0xFE70, false},  // small forms
        {0xFF01, true},  {0xFF60, true},  {0xFF61, false},                    // fullwidth, ｡
        {0xFFE0, true},  {0xFFE6, true},  {0xFFE7, false},  {0xFFE8, false},  // ￠ … ￦, ￨
        {0x1F300, true}, {0x1F64F, true}, {0x1F650, false},                   // pictographs
        {0x20000, true}, {0x2FFFD, true}, {0x2FFFE, false},                   // planes 2 and 3
        {0x30000, true}, {0x3FFFD, true}, {0x3FFFE, false}, {0x40000, false},
        {U'A', false},   {U'ｴ', false},   {U'℃', false},    {U'乾', true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isWideCodePoint(c.c), c.wide) << std::hex << static_cast<uint32_t>(c.c);
}

TEST(Utf8Decoding, MalformedBytesBecomeReplacementCharacters) {
    EXPECT_EQ(decodeUtf8("a\xC3\xA9\xE4\xB9\xBE\xF0\xA0\xAE\xB7"), U"aé乾\U00020BB7");
    EXPECT_EQ(decodeUtf8("\x80"), U"\uFFFD") << "a lone continuation byte";
    EXPECT_EQ(decodeUtf8("\xE4\xB9"), U"\uFFFD\uFFFD") << "a cut sequence, byte by byte";
    EXPECT_EQ(decodeUtf8("\xC3"
                         "A"),
              U"\uFFFDA")
        << "a lead byte before ASCII";
    EXPECT_EQ(decodeUtf8("\xF8\x88\x80\x80\x80"), U"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
}
