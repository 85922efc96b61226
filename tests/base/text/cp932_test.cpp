// CP932 text, as documents, metafiles and the settings file store it.
#include "text/cp932.h"

#include <gtest/gtest.h>

#include <string>

using namespace humidraw;

TEST(Cp932, RoundTripAndRefusals) {
    const std::string text = "ＭＳ Ｐゴシック～－①㈱髙ﾌ\\";
    const auto bytes = utf8ToCp932(text);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(cp932ToUtf8(*bytes), text);
    EXPECT_FALSE(cp932ToUtf8("\x82"));          // lead byte cut short
    EXPECT_FALSE(cp932ToUtf8("\x81\x7f\xa0"));  // not CP932
    EXPECT_FALSE(utf8ToCp932("😀"));
    EXPECT_EQ(cutCp932("\x82\xa0\x82\xa2", 3), "\x82\xa0") << "never half a character";
}
