#pragma once
// Calls of the engine's reference-taking methods with plain values.
#include "moistek/moistek.h"

struct Outcome {
    int result;
    double value;
};

using UnaryMethod = int (MoistekClass::*)(double&, double&);
using BinaryMethod = int (MoistekClass::*)(double&, double&, double&);
using CompleteMethod = int (MoistekClass::*)(double&, double&, double&, double&, double&, double&,
                                             double&);

inline Outcome call(MoistekClass& m, UnaryMethod f, double a, double init = 0) {
    double out = init;
    const int r = (m.*f)(a, out);
    return {r, out};
}

inline Outcome call(MoistekClass& m, BinaryMethod f, double a, double b, double init = 0) {
    double out = init;
    const int r = (m.*f)(a, b, out);
    return {r, out};
}

struct Positions {
    int result;
    double p[7];  // DB RH AH EN SV WB DP
};

inline Positions complete(MoistekClass& m, CompleteMethod f, Positions in) {
    in.result = (m.*f)(in.p[0], in.p[1], in.p[2], in.p[3], in.p[4], in.p[5], in.p[6]);
    return in;
}

// The reference state: 20 °C and 50 % at 760 mmHg.
constexpr double kRefDB = 20;
constexpr double kRefAH = 0.0072630318233924216;
constexpr double kRefEN = 9.2037213499835353;
constexpr double kRefSV = 0.84015379325052064;
constexpr double kRefWB = 13.780122529999993;
