// The air-handling unit kept in the companion file: read back the very unit written, every
// component on in each of its modes, and damaged unit lines refused with the line and the part
// named.
#include <gtest/gtest.h>

#include <string>

#include "ahu/ahu_text.h"
#include "measured/companion.h"

using namespace humidraw;
using namespace humidraw::ahu;
using AhuUnit = humidraw::ahu::Unit;
using design::AirBasis;

namespace {

// Every component on, with values a shortened text would not give back (1/3, 0.1 + 0.2).
AhuUnit everything() {
    AhuUnit u;
    u.basis = AirBasis::Standard;
    for (Season* s : {&u.summer, &u.winter}) {
        s->outdoor1 = {Property::DB, 34.1}, s->outdoor2 = {Property::X, 0.0191};
        s->outdoorFlow = 3000.5, s->outdoorFraction = 1.0 / 3;
        s->room1 = {Property::H, 12.625}, s->room2 = {Property::DP, -0.5};
        s->sensibleLoad = 52000, s->latentLoad = -8000.25;
        s->supplyFlow = 12000, s->supplyDifference = 0.1 + 0.2;
        s->recovery = {true, RecoveryKind::Total, 0.6, 0.55};
        s->mixing.on = true;
        s->preheat = {true, 1e-300};
        s->coil.on = true;
        s->coil.first = {Property::WB, 14.5}, s->coil.second = {Property::SV, 0.83};
        s->coil.adp = 11.999999999999998, s->coil.bf = 0.15, s->coil.DB = 15.5, s->coil.RH = 92;
        s->reheat.on = true;
        s->humidifier = {true, HumidifierKind::Vaporising, 0.7};
        s->fan = {true, FanMode::Power, 1.5, 7.5};
    }
    u.winter.on = false;
    return u;
}

AhuUnit readBack(const AhuUnit& u) {
    UnitReader r;
    const std::string text = unitText(u);
    size_t i = 0;
    while (i < text.size()) {
        const size_t end = text.find('\n', i);
        const std::string why = r.take(std::string_view(text).substr(i, end - i));
        EXPECT_EQ(why, "") << text.substr(i, end - i);
        i = end + 1;
    }
    EXPECT_EQ(r.finish(), "");
    return r.unit();
}

}  // namespace

TEST(AhuFile, EveryComponentInEveryModeReadsBackTheSameUnit) {
    const AhuUnit base = everything();
    std::vector<AhuUnit> units{base, AhuUnit{}};
    const auto with = [&](auto change) {
        AhuUnit u = base;
        change(u.summer);
        change(u.winter);
        units.push_back(u);
    };
    with([](Season& s) { s.outdoorBy = OutdoorBy::Fraction, s.supplyBy = SupplyBy::TemperatureDifference; });
    with([](Season& s) { s.recovery.kind = RecoveryKind::Sensible; });
    with([](Season& s) { s.coil.mode = CoilMode::Leaving; });
    with([](Season& s) { s.coil.mode = CoilMode::AdpBf; });
    with([](Season& s) { s.coil.mode = CoilMode::DbAtRh; });
    with([](Season& s) { s.humidifier.kind = HumidifierKind::Steam; });
    with([](Season& s) { s.humidifier.kind = HumidifierKind::Spray; });
    with([](Season& s) { s.fan.mode = FanMode::Rise; });
    // Everything off keeps the values it was given.
    with([](Season& s) {
        s.on = false, s.recovery.on = false, s.mixing.on = false, s.preheat.on = false;
        s.coil.on = false, s.reheat.on = false, s.humidifier.on = false, s.fan.on = false;
    });
    for (size_t i = 0; i < units.size(); ++i) {
        EXPECT_TRUE(readBack(units[i]) == units[i]) << i << "\n" << unitText(units[i]);
        // Through the companion, after a design.
        design::Design d;
        d.points = {{"S:OA", {Property::DB, 34}, {Property::X, 0.019}, {}}};
        const auto back = readCompanionText(
            companionText(MeasuredData{}, std::nullopt, std::nullopt, d, std::nullopt, units[i]));
        ASSERT_TRUE(back.ok()) << back.error();
        ASSERT_TRUE(back->unit.has_value());
        EXPECT_TRUE(*back->unit == units[i]) << i;
        EXPECT_TRUE(back->design == d);
    }
    // A companion without a unit reads none, as the files of earlier versions.
    const auto none = readCompanionText(companionText(MeasuredData{}));
    ASSERT_TRUE(none.ok());
    EXPECT_FALSE(none->unit.has_value());
}

TEST(AhuFile, TheLinesAsWritten) {
    // The defaults but for the summer's coil: the format read by hand.
    AhuUnit u;
    u.summer.coil.on = true;
    u.winter.on = false;
    const std::string season =
        " 1\noutdoor DB 34 WB 27 flow 0 0\nroom DB 26 RH 50 0 0\nsupply flow 0 0\n"
        "recovery 0 total 0.6 0.6\nmixing 1\npreheat 0 0\n";
    const std::string rest = "reheat 0\nhumidifier 0 steam 0.6\nfan 0 rise 0 0\n";
    EXPECT_EQ(unitText(u), "unit actual\nseason summer" + season +
                               "coil 1 rh DB 15 RH 95 12 0.1 15 95\n" + rest + "season winter 0" +
                               season.substr(2) + "coil 0 rh DB 15 RH 95 12 0.1 15 95\n" + rest);
}

TEST(AhuFile, DamagedLinesAreRefusedWithTheirLineAndPart) {
    // The whole unit's lines, each case replacing one (by its number, 0 the unit line) or
    // cutting them short.
    std::vector<std::string> lines;
    {
        const std::string text = unitText(everything());
        for (size_t i = 0; i < text.size();) {
            const size_t end = text.find('\n', i);
            lines.push_back(text.substr(i, end - i));
            i = end + 1;
        }
    }
    ASSERT_EQ(lines.size(), 23u);
    const struct {
        int index;             // the line replaced
        const char* line;      // by this; nullptr: the lines end before it
        const char* why;
    } cases[] = {
        {0, "unit sideways", "空調機の行が壊れています"},
        {1, "season winter 1", "空調機の季節の行が壊れています"},  // winter first
        {1, "season summer 2", "空調機の季節の行が壊れています"},
        {2, "outdoor DB 34 WB 27 flow 1000", "空調機の外気の行が壊れています"},
        {2, "outdoor DB 34 AH 0.01 flow 1000 0", "空調機の外気の行が壊れています"},
        {2, "outdoor DB 34 WB 27 volume 1000 0", "空調機の外気の行が壊れています"},
        {3, "room DB 26 RH 50 nan 0", "空調機の室内の行が壊れています"},
        {4, "supply flow 1,000 0", "空調機の給気の行が壊れています"},
        {5, "recovery 1 latent 0.6 0.6", "空調機の熱回収の行が壊れています"},
        {6, "mixing yes", "空調機の混合の行が壊れています"},
        {7, "preheat 1", "空調機の予熱の行が壊れています"},
        {8, "coil 1 adp DB 15 RH 95 12 0.1 15", "空調機の冷却コイルの行が壊れています"},
        {9, "reheat 1 1", "空調機の再熱の行が壊れています"},
        {10, "humidifier 1 mist 0.6", "空調機の加湿器の行が壊れています"},
        {11, "fan 1 rise 1 inf", "空調機の送風機の行が壊れています"},
        {3, "outdoor DB 34 WB 27 flow 1000 0", "空調機の行の順序が違います"},  // twice
        {12, "unit actual", "空調機の行が壊れています"},                       // a second unit
        {22, "season winter 1", "空調機の行の順序が違います"},
        {14, nullptr, "空調機の行が途中で終わっています"},
    };
    for (const auto& c : cases) {
        std::string text = "humidraw-data 1\n";
        for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
            if (i == c.index && !c.line) break;
            text += (i == c.index ? std::string(c.line) : lines[i]) + "\n";
        }
        // The line named: the replaced one (the first is the header), or the end line.
        const int named = c.index + 2;
        text += "end\n";
        const auto r = readCompanionText(text);
        ASSERT_FALSE(r.ok()) << c.index << " " << (c.line ? c.line : "(end)");
        EXPECT_EQ(r.reason(), Reason::Damaged);
        EXPECT_EQ(r.error(), std::to_string(named) + " 行目: " + c.why)
            << c.index << " " << (c.line ? c.line : "(end)");
    }
    // A unit's lines come last: a design or a set after them is not read.
    const std::string unit = unitText(everything());
    for (const char* after : {"design actual\n", "set 1 0 000000 0 0\nname A\n"}) {
        const auto r = readCompanionText("humidraw-data 1\n" + unit + after + "end\n");
        ASSERT_FALSE(r.ok()) << after;
        EXPECT_EQ(r.error(), "25 行目: 知らない行です") << after;
    }
}
