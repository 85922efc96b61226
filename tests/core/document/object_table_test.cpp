#include "document/object_table.h"

#include <gtest/gtest.h>

#include <array>

#include "document/attributes.h"
#include "lang/language.h"

using namespace humidraw;

namespace {
std::vector<int> walked(const ObjectTable& t) {
    std::vector<int> out;
    t.walk([&](int i, const ObjectRecord&) { out.push_back(i); });
    return out;
}
ObjectRecord line() {
    ObjectRecord r;
    r.kind = kLineBothMarkers;
    r.colour = 7;
    return r;
}
}  // namespace

TEST(ObjectTable, AppendEraseWalk) {
    ObjectTable t;
    EXPECT_TRUE(walked(t).empty());
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(t.append(line()));
    EXPECT_TRUE(t.markDeleted(1));
    EXPECT_EQ(walked(t), (std::vector<int>{0, 2}));
    EXPECT_EQ(t.count(), 3);
    EXPECT_EQ(t.at(1).kind, kDeleted);
    EXPECT_EQ(t.at(1).colour, 7) << "the other fields stay";
    EXPECT_FALSE(t.markDeleted(5));
    t.clear();
    EXPECT_EQ(t.count(), 0);
    EXPECT_TRUE(walked(t).empty());
}

TEST(ObjectTable, FullTableRefusesEvenWithErasedObjects) {
    ObjectTable t;
    for (int i = 0; i < ObjectTable::kCapacity; ++i) ASSERT_TRUE(t.append(line()));
    t.markDeleted(10);
    EXPECT_TRUE(t.full());
    EXPECT_EQ(t.room(), 0);
    EXPECT_FALSE(t.append(line()));
    EXPECT_EQ(t.count(), 640);
    EXPECT_EQ(walked(t).size(), 639u);
}

// The fixed colours as red, green and blue (a colour is 0x00BBGGRR, nothing above the blue
// byte): the paper is white, the chart's lines are the mid grey 128, 128, 128.
TEST(Attributes, PaperWhiteAndChartGrey) {
    // Red, green, blue and whatever lies above them.
    const auto rgb = [](Colour c) {
        return std::array<unsigned, 4>{c & 0xFFu, (c >> 8) & 0xFFu, (c >> 16) & 0xFFu, c >> 24};
    };
    EXPECT_EQ(rgb(kPaperColour), (std::array<unsigned, 4>{255, 255, 255, 0}));
    EXPECT_EQ(rgb(kChartColour), (std::array<unsigned, 4>{128, 128, 128, 0}));
}

TEST(Attributes, PaletteWidthsStylesAndLabelBoxes) {
    EXPECT_EQ(kPalette[1], 0x0000FFu);
    EXPECT_EQ(kPalette[13], 0x800080u);
    EXPECT_EQ(paletteColour(99), 0u);
    EXPECT_EQ(penWidthFor(3, 1.0), 1);
    EXPECT_EQ(penWidthFor(3, 2.0), 3);
    EXPECT_EQ(penWidthFor(0, 1.0), 0);
    EXPECT_EQ(penWidthFor(1, 1.0), 0);
    EXPECT_EQ(stylePattern(1, 1.5), (std::vector<int>{12, 6}));
    EXPECT_EQ(stylePattern(2, 1.5), (std::vector<int>{3, 4}));
    EXPECT_EQ(stylePattern(4, 1.0).size(), 6u);
    EXPECT_EQ(stylePattern(kHighlightStyle, 2.0), (std::vector<int>{1, 6}));
    EXPECT_TRUE(stylePattern(0, 3.0).empty());
    // A zoom beyond any window's: widths and dash lengths stay whole numbers within 1e9 instead
    // of an undefined conversion (8 × 1e12 and 3 × 1e12 × 0.5 are far beyond an int).
    EXPECT_EQ(penWidthFor(3, 1e12), 1000000000);
    EXPECT_EQ(stylePattern(1, 1e12), (std::vector<int>{1000000000, 1000000000}));
    EXPECT_EQ(stylePattern(1, -1e12), (std::vector<int>{-1000000000, -1000000000}));
    struct Case {
        int code;
        double left, top;
    } const cases[] = {{0, 105, 205}, {1, 105, 195}, {2, 105, 185}, {3, 80, 185},
                       {4, 55, 185},  {5, 55, 195},  {6, 55, 205},  {7, 80, 205}};
    for (const Case& c : cases) {
        double l, t;
        labelTopLeft(c.code, 100, 200, 40, 10, l, t);
        EXPECT_EQ(l, c.left) << c.code;
        EXPECT_EQ(t, c.top) << c.code;
    }
}

TEST(ObjectTable, KindsAboveZeroAreWalkedAndAKindOfZeroEndsTheTable) {
    ObjectTable t;
    ObjectRecord foreign = line();
    foreign.kind = 1;  // no kind this program makes, but a record all the same
    ASSERT_TRUE(t.append(line()));
    ASSERT_TRUE(t.append(foreign));
    ASSERT_TRUE(t.append(line()));
    EXPECT_EQ(walked(t), (std::vector<int>{0, 1, 2}));
    ObjectTable u;
    ASSERT_TRUE(u.append(line()));
    ASSERT_TRUE(u.append(ObjectRecord{}));  // kind 0: the end of the objects
    ASSERT_TRUE(u.append(line()));
    EXPECT_EQ(walked(u), (std::vector<int>{0}));
    EXPECT_FALSE(u.markDeleted(1)) << "nothing there to erase";
    EXPECT_EQ(u.at(1).kind, 0);
    EXPECT_FALSE(u.markDeleted(-1));
    EXPECT_FALSE(u.markDeleted(3));
}

// The message for a full table names the table's size, 640 objects, in either language.
TEST(ObjectTable, FullMessageNamesTheCapacity) {
    struct Case {
        Language language;
        const char* expected;
    };
    const Case cases[] = {
        {Language::Japanese, "図形の数が上限(640)に達しているため追加できません"},
        {Language::English, "No object can be added: the objects have reached their limit (640)"},
    };
    for (const Case& c : cases) {
        setLanguage(c.language);
        EXPECT_EQ(ObjectTable::fullMessage(), c.expected);
    }
    setLanguage(Language::Japanese);
}
