// Names made visible for a terminal or a menu: what a terminal would obey and what is not UTF-8
// turn into \xNN; printable text, Japanese included, passes unchanged.
#include "text/visible_text.h"

#include <gtest/gtest.h>

using humidraw::visibleText;

TEST(VisibleText, ControlsAndBrokenUtf8BecomeEscapes) {
    struct Case {
        std::string bytes, shown, why;
    } cases[] = {
        {"plan.hdw", "plan.hdw", "plain ASCII"},
        {"空調 Müller.hdw", "空調 Müller.hdw", "valid UTF-8 (E7 A9 BA, C3 BC)"},
        {"bad\xff.hdw", "bad\\xff.hdw", "FF never starts a sequence"},
        {"\x1b]2;owned\x07.hdw", "\\x1b]2;owned\\x07.hdw", "ESC and BEL (a title sequence)"},
        {"a\x7f" "b", "a\\x7fb", "DEL"},
        {"x\xc2\x9b" "31m", "x\\x9b31m", "U+009B, the one-character CSI"},
        {"x\xc2\xa0y", "x\xc2\xa0y", "U+00A0 is printable"},
        {"\xc3", "\\xc3", "a sequence cut short at the end"},
        {"\xc0\xaf", "\\xc0\\xaf", "an overlong '/'"},
        {"\xed\xa0\x80", "\\xed\\xa0\\x80", "a surrogate (U+D800)"},
        {"\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80", "past U+10FFFF"},
        {"\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80", "U+1F600 is fine"},
        {"a\nb\tc", "a\\x0ab\\x09c", "line breaks and tabs in a name"},
    };
    for (const Case& c : cases) EXPECT_EQ(visibleText(c.bytes), c.shown) << c.why;
    EXPECT_EQ(visibleText("two\nlines\tand \x1b", true), "two\nlines\tand \\x1b")
        << "a message keeps its own line breaks";
}
