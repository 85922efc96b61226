// The chart on its 640 × 480 sheet for every dry-bulb range the options dialog allows, and the
// geometry of the ranges that always fitted, frozen bit for bit.
#include <gtest/gtest.h>

#include <cstring>

#include "chart/construction.h"

using namespace humidraw;

namespace {

// FNV-1a over the exact bits of every element: any change of a coordinate, kind or text shows.
class ElementHash {
  public:
    void add(const void* p, size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        for (size_t i = 0; i < n; ++i) h_ = (h_ ^ b[i]) * 0x100000001B3ULL;
    }
    void add(const ChartTable& t) {
        for (const ChartElement& e : t.elements()) {
            add(&e.kind, sizeof e.kind);
            for (double c : {e.c1, e.c2, e.c3, e.c4}) {
                uint64_t bits;
                std::memcpy(&bits, &c, sizeof bits);
                add(&bits, sizeof bits);
            }
            const uint64_t n = e.text.size();
            add(&n, sizeof n);
            add(e.text.data(), e.text.size());
        }
    }
    uint64_t value() const { return h_; }

  private:
    uint64_t h_ = 0xCBF29CE484222325ULL;
};

ChartTable chartFor(int lo, int hi, bool si, int fontSize = 6) {
    Settings s;
    s.dbMin = lo;
    s.dbMax = hi;
    s.si = si;
    s.fontSize = fontSize;
    FakeTextMetrics m;
    ChartFrame f;
    ChartTable t;
    EXPECT_EQ(constructChart(s, m, f, t), FrameStatus::Ok) << lo << " " << hi;
    return t;
}

}  // namespace

// Hashes recorded from the construction as it stood before ranges with a lower limit of 20 °C
// or more were made to fit: one per lower limit −20 … 19 °C, over every upper limit 30 … 80 °C
// in traditional and SI units, with the fixed test metrics.
TEST(ChartOnSheet, RangesThatAlwaysFittedKeepTheirGeometry) {
    const uint64_t golden[40] = {
        0xCCDD28E486699B87ULL, 0xF5ABA89D3CB6C90CULL, 0xD8102A244371EFF8ULL, 0xC132598BDB2C9669ULL,
        0x9DAAAFFE3192B3DDULL, 0xCBFDF7F84EF13407ULL, 0xE470B7C61C9957CBULL, 0xDEA5B0D732EA12E9ULL,
        0x762AF04A6BC4333DULL, 0x456511544854AAE2ULL, 0xD207F2BDEC4C6822ULL, 0x38545D24227DA3A8ULL,
        0x451D49426F18631FULL, 0x312CEE981580F1FDULL, 0x237ABB4BD8E885C0ULL, 0xE75F18490E17EA20ULL,
        0x8E5ADD394F046F9EULL, 0x3F6154DCDD39E13FULL, 0x12CBE6367025B731ULL, 0x1E1F8ACD9A2F276CULL,
        0x002A8577EF5F8B70ULL, 0xEEF0B0016518A635ULL, 0x187F31202E63D7EDULL, 0xC9A7F6B39789538DULL,
        0x212D92E755789FE2ULL, 0x9F6B1F31DAD1D0FEULL, 0x30420FC189149151ULL, 0xB13230810506BE32ULL,
        0xC038E59C4E3A3464ULL, 0x3536D9CA40DF7E76ULL, 0xB609F00288FC9250ULL, 0x834E7DC509C62898ULL,
        0xD405404F1BB570F5ULL, 0xCE065CD56E99ABC0ULL, 0x1CA0687DB518F724ULL, 0x8000ED21D8518922ULL,
        0x8E4B7562D84A39B5ULL, 0x139D3CBD47A02CA5ULL, 0x4D3291DF9E463CBFULL, 0xBC0049CCAE8CB941ULL,
    };
    for (int lo = -20; lo < 20; ++lo) {
        ElementHash h;
        for (int hi = 30; hi <= 80; ++hi)
            for (bool si : {false, true}) h.add(chartFor(lo, hi, si));
        EXPECT_EQ(h.value(), golden[lo + 20]) << "lower limit " << lo;
    }
}
