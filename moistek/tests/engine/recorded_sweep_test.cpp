// Every method and plain function of the engine over a seeded sweep of 1.1 million inputs in
// both unit modes (and a mode value that is neither), with the instance's pressure and search
// tolerances varied now and then. Each call's return code, the bits of every argument slot
// after the call and the unit mode left behind are hashed per method and compared with a
// record taken from the engine before its speed work (reviewed once; see recorded_sweep.h).
// A change in any last digit, in a failure, in what a failing call leaves in its outputs or
// in the unit mode afterwards changes the hash.
#include "recorded_sweep.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>

#include "moistek/moistek.h"
#include "sweep_inputs.h"

using M = MoistekClass;
using sweep::Kind;
using sweep::Random;

namespace {

class Hash {
  public:
    void add(uint64_t w) {
        for (int i = 0; i < 8; ++i) {
            h_ ^= (w >> (8 * i)) & 0xff;
            h_ *= 0x100000001b3ULL;
        }
    }
    void add(double v) {
        uint64_t b;
        std::memcpy(&b, &v, sizeof b);
        add(b);
    }
    void add(int v) { add(static_cast<uint64_t>(static_cast<uint32_t>(v))); }
    uint64_t value() const { return h_; }

  private:
    uint64_t h_ = 0xcbf29ce484222325ULL;
};

uint64_t seedOf(const char* name) {
    Hash h;
    for (const char* c = name; *c; ++c) h.add(static_cast<uint64_t>(*c));
    return h.value() ^ 0x5eed2026ULL;
}

// A fresh instance with the unit mode, its own pressure and now and then its tolerances varied.
M instance(Random& r) {
    M m;
    const int mode = r.below(20);
    m.Mode = mode < 9 ? 0 : mode < 18 ? 1 : (mode == 18 ? 2 : -1);
    const int pa = r.below(20);
    if (pa >= 14) m.PA = pa < 19 ? sweep::ordinary(r, Kind::PA) : sweep::draw(r, Kind::Any);
    if (r.below(40) == 0) {
        const double tolT[] = {1e-4, 1e-12, 0.5, 0};
        const double tolX[] = {1e-4, 1e-9, 0.003};
        if (r.below(2))
            m.TolT = r.pick(tolT);
        else
            m.TolX = r.pick(tolX);
    }
    return m;
}

// Two inputs, the second tied to the first near saturation now and then.
void drawPair(Random& r, Kind ka, Kind kb, double& a, double& b) {
    a = sweep::draw(r, ka);
    if (!sweep::nearSaturation(r, ka, kb, a, b)) b = sweep::draw(r, kb);
}

using Unary = int (M::*)(double&, double&);
using Binary = int (M::*)(double&, double&, double&);
using Complete = int (M::*)(double&, double&, double&, double&, double&, double&, double&);

uint64_t sweepUnary(const char* name, Unary f, Kind k, int count) {
    Random r(seedOf(name));
    Hash h;
    for (int i = 0; i < count; ++i) {
        M m = instance(r);
        double a = sweep::draw(r, k), out = sweep::ordinary(r, Kind::Any);
        h.add((m.*f)(a, out));
        h.add(a);
        h.add(out);
        h.add(m.Mode);
    }
    return h.value();
}

uint64_t sweepBinary(const char* name, Binary f, Kind ka, Kind kb, int count) {
    Random r(seedOf(name));
    Hash h;
    for (int i = 0; i < count; ++i) {
        M m = instance(r);
        double a, b;
        drawPair(r, ka, kb, a, b);
        double out = sweep::ordinary(r, Kind::Any);
        h.add((m.*f)(a, b, out));
        h.add(a);
        h.add(b);
        h.add(out);
        h.add(m.Mode);
    }
    return h.value();
}

// Positions DB RH AH EN SV WB DP; the two read are drawn by kind, the others hold leftovers.
uint64_t sweepComplete(const char* name, Complete f, int first, int second, int count) {
    static const Kind kinds[7] = {Kind::DB, Kind::RH, Kind::AH, Kind::EN,
                                  Kind::SV, Kind::WB, Kind::DB};
    Random r(seedOf(name));
    Hash h;
    for (int i = 0; i < count; ++i) {
        M m = instance(r);
        double p[7];
        for (double& v : p) v = sweep::ordinary(r, Kind::Any);
        drawPair(r, kinds[first], kinds[second], p[first], p[second]);
        h.add((m.*f)(p[0], p[1], p[2], p[3], p[4], p[5], p[6]));
        for (double v : p) h.add(v);
        h.add(m.Mode);
    }
    return h.value();
}

uint64_t sweepPlain(const char* name, double (*f)(double), Kind k, int count) {
    Random r(seedOf(name));
    Hash h;
    for (int i = 0; i < count; ++i) h.add(f(sweep::draw(r, k)));
    return h.value();
}

uint64_t sweepPlain(const char* name, double (*f)(double, double), Kind ka, Kind kb, int count) {
    Random r(seedOf(name));
    Hash h;
    for (int i = 0; i < count; ++i) {
        double a, b;
        drawPair(r, ka, kb, a, b);
        h.add(f(a, b));
    }
    return h.value();
}

void expectRecorded(const char* name, uint64_t actual) {
    const uint64_t expected = recorded::hashOf(name);
    char text[96];
    std::snprintf(text, sizeof text, "{\"%s\", 0x%016" PRIx64 "},", name, actual);
    EXPECT_EQ(actual, expected) << "sweep of " << name << " differs from the record: " << text;
}

constexpr int kCheap = 40000;   // closed forms
constexpr int kSearch = 16000;  // one search
constexpr int kNested = 2500;   // a search of searches
constexpr int kState = 8000;    // complete states

}  // namespace

#define SWEEP_UNARY(F, K, N) expectRecorded(#F, sweepUnary(#F, &M::F, Kind::K, N))
#define SWEEP_BINARY(F, A, B, N) expectRecorded(#F, sweepBinary(#F, &M::F, Kind::A, Kind::B, N))
#define SWEEP_STATE(F, A, B, N) expectRecorded(#F, sweepComplete(#F, &M::F, A, B, N))
#define SWEEP_PLAIN1(F, K, N) expectRecorded(#F, sweepPlain(#F, &F, Kind::K, N))
#define SWEEP_PLAIN2(F, A, B, N) expectRecorded(#F, sweepPlain(#F, &F, Kind::A, Kind::B, N))

TEST(RecordedSweep, ClosedFormRelations) {
    SWEEP_UNARY(F_DB2PWS, DB, kCheap);
    SWEEP_UNARY(F_PW2AH, PW, kCheap);
    SWEEP_BINARY(F_PAPW2AH, PA, PW, kCheap);
    SWEEP_BINARY(F_PAAH2PW, PA, AH, kCheap);
    SWEEP_BINARY(F_DBRH2AH, DB, RH, kCheap);
    SWEEP_BINARY(F_DBAH2EN, DB, AH, kCheap);
    SWEEP_BINARY(F_ENDB2AH, EN, DB, kCheap);
    SWEEP_BINARY(F_ENAH2DB, EN, AH, kCheap);
    SWEEP_BINARY(F_DBAH2SV, DB, AH, kCheap);
    SWEEP_BINARY(F_SVAH2DB, SV, AH, kCheap);
    SWEEP_BINARY(F_WBAH2DB, WB, AH, kCheap);
    SWEEP_BINARY(F_DBAH2RH, DB, AH, kCheap);
    SWEEP_BINARY(F_DBAH2RV, DB, AH, kCheap);
    SWEEP_BINARY(F_DBWB2RH, DB, WB, kCheap);
    SWEEP_BINARY(F_DBSV2AH, DB, SV, kCheap);
}

TEST(RecordedSweep, Searches) {
    SWEEP_UNARY(F_AH2DP, AH, kSearch);
    SWEEP_BINARY(F_DBAH2WB, DB, AH, kSearch);
    SWEEP_BINARY(F_RHAH2DB, RH, AH, kSearch);
    SWEEP_BINARY(F_RHEN2DB, RH, EN, kSearch);
    SWEEP_BINARY(F_RHSV2DB, RH, SV, kSearch);
    SWEEP_BINARY(F_SVEN2DB, SV, EN, kSearch);
}

TEST(RecordedSweep, SearchesOfSearches) {
    SWEEP_BINARY(F_DBWB2AH, DB, WB, kNested);
    SWEEP_BINARY(F_SVWB2AH, SV, WB, kNested);
    SWEEP_BINARY(F_RHWB2DB, RH, WB, kNested);
}

TEST(RecordedSweep, CompleteStates) {
    enum { DB, RH, AH, EN, SV, WB };
    SWEEP_STATE(C_DBRH, DB, RH, kState);
    SWEEP_STATE(C_DBAH, DB, AH, kState);
    SWEEP_STATE(C_DBEN, DB, EN, kState);
    SWEEP_STATE(C_DBSV, DB, SV, kState);
    SWEEP_STATE(C_RHAH, RH, AH, kState);
    SWEEP_STATE(C_RHEN, RH, EN, kState);
    SWEEP_STATE(C_RHSV, RH, SV, kState);
    SWEEP_STATE(C_AHEN, AH, EN, kState);
    SWEEP_STATE(C_AHWB, AH, WB, kState);
    SWEEP_STATE(C_AHSV, AH, SV, kState);
    SWEEP_STATE(C_ENWB, EN, WB, kState);
    SWEEP_STATE(C_ENSV, EN, SV, kState);
    SWEEP_STATE(C_DBWB, DB, WB, kNested);
    SWEEP_STATE(C_RHWB, RH, WB, kNested);
    SWEEP_STATE(C_WBSV, WB, SV, kNested);
}

TEST(RecordedSweep, PlainFunctions) {
    SWEEP_PLAIN1(V_DB2PWS, DB, kCheap);
    SWEEP_PLAIN1(V_PW2AH, PW, kCheap);
    SWEEP_PLAIN2(V_ENDB2AH, EN, DB, kCheap);
    SWEEP_PLAIN2(V_DBRH2AH, DB, RH, kCheap);
    SWEEP_PLAIN2(V_DBAH2EN, DB, AH, kCheap);
    SWEEP_PLAIN2(V_DBAH2SV, DB, AH, kCheap);
    SWEEP_PLAIN2(V_WBAH2DB, WB, AH, kCheap);
    SWEEP_PLAIN2(V_SVAH2DB, SV, AH, kCheap);
    SWEEP_PLAIN2(V_ENAH2DB, EN, AH, kCheap);
    SWEEP_PLAIN2(V_DBAH2RH, DB, AH, kCheap);
    SWEEP_PLAIN2(V_DBAH2RV, DB, AH, kCheap);
    SWEEP_PLAIN2(V_DBSV2AH, DB, SV, kCheap);
    SWEEP_PLAIN1(V_AH2DP, AH, kSearch);
    SWEEP_PLAIN2(V_DBAH2WB, DB, AH, kSearch);
    SWEEP_PLAIN2(V_RHAH2DB, RH, AH, kSearch);
    SWEEP_PLAIN2(V_RHEN2DB, RH, EN, kSearch);
    SWEEP_PLAIN2(V_RHSV2DB, RH, SV, kSearch);
    SWEEP_PLAIN2(V_SVEN2DB, SV, EN, kSearch);
    SWEEP_PLAIN2(V_DBWB2AH, DB, WB, kNested);
    SWEEP_PLAIN2(V_SVWB2AH, SV, WB, kNested);
    SWEEP_PLAIN2(V_RHWB2DB, RH, WB, kNested);
}

// 15 + 12 closed forms, 6 + 6 searches, 3 + 3 + 3 searches of searches, 12 states.
static_assert(27 * kCheap + 12 * kSearch + 9 * kNested + 12 * kState >= 1000000,
              "the sweep covers at least a million inputs");
