// The array forms of the plain functions: every element the same double as the plain function
// and the status the method's own verdict, over seeded sweeps with failing elements mixed in;
// and the argument checks.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "engine_test_support.h"
#include "sweep_inputs.h"

using M = MoistekClass;

namespace {

bool sameBits(double a, double b) {
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

// 3000 inputs of kinds A and B from the seeded sweep (ordinary values, branch edges, near
// saturation, infinities, NaN, arbitrary bits), led by the failures and edges named below.
struct Columns {
    std::vector<double> a, b;
};
Columns sweepOf(sweep::Kind ka, sweep::Kind kb, uint64_t seed,
                std::initializer_list<std::pair<double, double>> named) {
    Columns c;
    for (const auto& [x, y] : named) {
        c.a.push_back(x);
        c.b.push_back(y);
    }
    sweep::Random r(seed);
    while (c.a.size() < 3000) {
        const double x = sweep::draw(r, ka);
        double y;
        if (!sweep::nearSaturation(r, ka, kb, x, y)) y = sweep::draw(r, kb);
        c.a.push_back(x);
        c.b.push_back(y);
    }
    return c;
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// DB 400 (no saturation pressure for RH, a wet bulb of about 60.5 °C), a saturated state (20 °C at about 0.01475 kg/kg(DA)),
// negative and enormous humidity ratios, the ice side, infinity and NaN.
const std::initializer_list<std::pair<double, double>> kNamedDBAH = {
    {400, 0.01}, {20, 0.0147}, {20, 0.0148}, {20, -0.001}, {20, -2}, {-20, 0.0005},
    {50, 10001}, {120, 0.5},   {kNaN, 0.01}, {20, kInf},   {-300, 0}, {20, 0.0072630}};

}  // namespace

TEST(ArrayForms, EveryElementIsThePlainFunctionsDouble) {
    struct Form {
        const char* name;
        int64_t (*array)(const double*, const double*, double*, int8_t*, int64_t);
        double (*plain)(double, double);
        BinaryMethod method;
    } const forms[] = {
        {"VA_DBAH2WB", VA_DBAH2WB, V_DBAH2WB, &M::F_DBAH2WB},
        {"VA_DBAH2RH", VA_DBAH2RH, V_DBAH2RH, &M::F_DBAH2RH},
        {"VA_DBAH2EN", VA_DBAH2EN, V_DBAH2EN, &M::F_DBAH2EN},
        {"VA_DBAH2SV", VA_DBAH2SV, V_DBAH2SV, &M::F_DBAH2SV},
    };
    const Columns in = sweepOf(sweep::Kind::DB, sweep::Kind::AH, 29, kNamedDBAH);
    const int64_t n = static_cast<int64_t>(in.a.size());
    for (const Form& f : forms) {
        std::vector<double> out(in.a.size(), -7);
        std::vector<int8_t> status(in.a.size(), -7);
        const int64_t failed = f.array(in.a.data(), in.b.data(), out.data(), status.data(), n);
        int64_t failures = 0, mismatches = 0;
        for (size_t i = 0; i < in.a.size(); ++i) {
            M fresh;
            const bool ok = call(fresh, f.method, in.a[i], in.b[i]).result == 1;
            failures += ok ? 0 : 1;
            const bool same = sameBits(out[i], f.plain(in.a[i], in.b[i])) && status[i] == ok;
            if (!same && mismatches++ < 5)
                ADD_FAILURE() << f.name << " element " << i << " (" << in.a[i] << ", "
                              << in.b[i] << "): " << out[i] << " status " << int(status[i]);
        }
        EXPECT_EQ(failed, failures) << f.name;
        // The sweep must exercise both outcomes, or it tells nothing about the status.
        EXPECT_GT(failures, 50) << f.name;
        EXPECT_LT(failures, n - 1000) << f.name;
    }
}

TEST(ArrayForms, DewPointElementsAreThePlainFunctionsDouble) {
    // V_AH2DP(5) fails (a vapour pressure above the total pressure), as do negative ratios.
    const Columns in = sweepOf(sweep::Kind::AH, sweep::Kind::Any, 30,
                               {{5, 0}, {-0.001, 0}, {0, 0}, {0.0072630, 0}, {kNaN, 0}});
    std::vector<double> out(in.a.size());
    std::vector<int8_t> status(in.a.size());
    const int64_t failed = VA_AH2DP(in.a.data(), out.data(), status.data(),
                                    static_cast<int64_t>(in.a.size()));
    int64_t failures = 0;
    for (size_t i = 0; i < in.a.size(); ++i) {
        M fresh;
        const bool ok = call(fresh, &M::F_AH2DP, in.a[i]).result == 1;
        failures += ok ? 0 : 1;
        ASSERT_TRUE(sameBits(out[i], V_AH2DP(in.a[i])) && status[i] == ok)
            << "element " << i << " AH " << in.a[i];
    }
    EXPECT_EQ(failed, failures);
    EXPECT_EQ(status[0], 0);
    EXPECT_GT(failures, 50);
}

TEST(ArrayForms, CompleteStateIsTheMethodOnAFreshInstance) {
    const Columns in = sweepOf(sweep::Kind::DB, sweep::Kind::RH, 31,
                               {{400, 50}, {20, 100}, {20, 100.5}, {20, -5}, {20, 0}, {-20, 80},
                                {99.99, 100}, {kNaN, 50}, {20, kInf}, {20, 50}});
    const size_t n = in.a.size();
    std::vector<double> ah(n, -7), en(n, -7), sv(n, -7), wb(n, -7), dp(n, -7);
    std::vector<int8_t> status(n, -7);
    const int64_t failed = VA_DBRH(in.a.data(), in.b.data(), ah.data(), en.data(), sv.data(),
                                   wb.data(), dp.data(), status.data(), static_cast<int64_t>(n));
    int64_t failures = 0;
    for (size_t i = 0; i < n; ++i) {
        M fresh;
        const Positions p = complete(fresh, &M::C_DBRH, {0, {in.a[i], in.b[i], 0, 0, 0, 0, 0}});
        const bool ok = p.result == 1;
        failures += ok ? 0 : 1;
        const double* want = p.p;
        const double zeros[7] = {};
        if (!ok) want = zeros;
        ASSERT_TRUE(status[i] == ok && sameBits(ah[i], want[2]) && sameBits(en[i], want[3]) &&
                    sameBits(sv[i], want[4]) && sameBits(wb[i], want[5]) &&
                    sameBits(dp[i], want[6]))
            << "element " << i << " DB " << in.a[i] << " RH " << in.b[i];
    }
    EXPECT_EQ(failed, failures);
    EXPECT_EQ(status[0], 0);
    EXPECT_EQ(status[1], 1);  // saturated air has a state
    EXPECT_GT(failures, 50);
}

TEST(ArrayForms, WetBulbsOfEveryCountAndOffset) {
    // The wet bulbs are worked out two at a time: odd counts leave one over, and a pair holding
    // a humidity ratio above 10000 kg/kg(DA) (a wet bulb of 100 °C without a search) or a
    // failing element goes its own way; each element stays the plain function's double.
    const std::vector<double> db = {20, 50, -5, 35, 20, 120, -20, 400, 25, 0.5, 10},
                              ah = {0.0072630, 10001, 0.002, 0.02,   -2,   0.5,
                                    0.0005,    0.01,  1e5,   0.0037, 0.004};
    for (size_t from = 0; from < 3; ++from)
        for (size_t count = 0; from + count <= db.size(); ++count) {
            std::vector<double> out(count, -7);
            std::vector<int8_t> status(count, -7);
            int64_t failures = 0;
            const int64_t failed = VA_DBAH2WB(db.data() + from, ah.data() + from, out.data(),
                                              status.data(), static_cast<int64_t>(count));
            for (size_t i = 0; i < count; ++i) {
                M fresh;
                const bool ok = call(fresh, &M::F_DBAH2WB, db[from + i], ah[from + i]).result == 1;
                failures += ok ? 0 : 1;
                EXPECT_TRUE(sameBits(out[i], V_DBAH2WB(db[from + i], ah[from + i])) &&
                            status[i] == ok)
                    << "from " << from << " count " << count << " element " << i;
            }
            EXPECT_EQ(failed, failures) << "from " << from << " count " << count;
        }
}

TEST(ArrayForms, AnOutputMayBeAnInputArray) {
    // No wet bulb at -2 kg/kg(DA).
    std::vector<double> db = {20, 20, -5, 35}, ah = {0.0072630, -2, 0.002, 0.02};
    std::vector<int8_t> status(4);
    const std::vector<double> db0 = db;
    ASSERT_EQ(VA_DBAH2WB(db.data(), ah.data(), db.data(), status.data(), 4), 1);
    for (size_t i = 0; i < 4; ++i) EXPECT_TRUE(sameBits(db[i], V_DBAH2WB(db0[i], ah[i]))) << i;
    EXPECT_EQ(status, (std::vector<int8_t>{1, 0, 1, 1}));
}

TEST(ArrayForms, UnusableArgumentsAreRefusedWithoutWriting) {
    double a[2] = {20, 25}, b[2] = {0.0072630, 0.01}, out[2] = {-7, -7};
    int8_t status[2] = {-7, -7};
    const int64_t most = PTRDIFF_MAX / static_cast<int64_t>(sizeof(double));
    struct Case {
        const double *a, *b;
        double* out;
        int8_t* status;
        int64_t count, result;
    } const cases[] = {
        {nullptr, b, out, status, 2, -1},    {a, nullptr, out, status, 2, -1},
        {a, b, nullptr, status, 2, -1},      {a, b, out, nullptr, 2, -1},
        {a, b, out, status, -1, -1},         {a, b, out, status, INT64_MIN, -1},
        {a, b, out, status, most + 1, -1},   {a, b, out, status, INT64_MAX, -1},
        {nullptr, nullptr, nullptr, nullptr, 0, 0}, {a, b, out, status, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VA_DBAH2WB(c.a, c.b, c.out, c.status, c.count), c.result) << c.count;
        EXPECT_EQ(VA_DBAH2RH(c.a, c.b, c.out, c.status, c.count), c.result) << c.count;
        EXPECT_EQ(VA_DBAH2EN(c.a, c.b, c.out, c.status, c.count), c.result) << c.count;
        EXPECT_EQ(VA_DBAH2SV(c.a, c.b, c.out, c.status, c.count), c.result) << c.count;
        // The one-input form reads A, null where either input is.
        EXPECT_EQ(VA_AH2DP(c.a && c.b ? c.a : nullptr, c.out, c.status, c.count), c.result)
            << c.count;
        EXPECT_EQ(VA_DBRH(c.a, c.b, c.out, c.out, c.out, c.out, c.out, c.status, c.count),
                  c.result)
            << c.count;
        EXPECT_EQ(out[0], -7);
        EXPECT_EQ(status[0], -7);
    }
    // Each of the complete state's eight arrays is checked.
    double* outs[5] = {out, out, out, out, out};
    for (int k = 0; k < 5; ++k) {
        double* o[5] = {outs[0], outs[1], outs[2], outs[3], outs[4]};
        o[k] = nullptr;
        EXPECT_EQ(VA_DBRH(a, b, o[0], o[1], o[2], o[3], o[4], status, 2), -1) << k;
    }
    EXPECT_EQ(out[0], -7);
}
