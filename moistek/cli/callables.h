#pragma once
// Every method and plain function of the library, by name, with what it takes.
#include <string_view>

#include "moistek/moistek.h"

namespace moistek_cli {

using Unary = int (MoistekClass::*)(double&, double&);
using Binary = int (MoistekClass::*)(double&, double&, double&);
using Complete = int (MoistekClass::*)(double&, double&, double&, double&, double&, double&,
                                       double&);
using Plain1 = double (*)(double);
using Plain2 = double (*)(double, double);

enum class Kind { Unary, Binary, Complete, Plain1, Plain2, Version };

struct Callable {
    const char* name;
    Kind kind;
    Unary unary = nullptr;
    Binary binary = nullptr;
    Complete complete = nullptr;
    Plain1 plain1 = nullptr;
    Plain2 plain2 = nullptr;

    int inputCount() const;
};

// Null when no method or function has that name.
const Callable* findCallable(std::string_view name);

// The names of the complete-state methods, for the pair look-up of `moistek state`.
extern const char* const kCompleteNames[15];

}  // namespace moistek_cli
