#pragma once
// The outcome of an operation that can fail, everywhere outside the engine (whose methods keep
// their 1 and -1): a value, or the reason it could not be had, as a kind a caller can act on and
// in the words the user reads.
#include <optional>
#include <string>
#include <utility>

namespace humidraw {

// The kinds of failure callers tell apart: a cancelled import is not reported, a full disk or a
// file too large asks for something else of the user than a damaged file does.
enum class Reason {
    Invalid,      // the input cannot be used: a value, a choice, a setting out of range
    Damaged,      // a file was read but its contents are not what they should be
    Unreadable,   // a file is missing, may not be read, is a folder or a device, or a read failed
    Unwritable,   // a file or its folder may not be written, or a write failed
    TooLarge,     // more than the reader or the table takes
    Full,         // the disk has no room left
    Cancelled,    // the user stopped it; nothing to tell
    OutOfMemory,  // the data do not fit in memory
    Internal,     // the program's own part failed: a drawing that could not be painted
};

// Why an operation failed; converts to a failed Result of any type.
struct Failure {
    Reason reason = Reason::Invalid;
    std::string message;
    bool operator==(const Failure&) const = default;
};

inline Failure failure(Reason reason, std::string message) {
    return {reason, std::move(message)};
}

// The same failure with "NAME: " before its text, e.g. the file it concerns.
inline Failure named(const std::string& name, Failure f) {
    f.message = name + ": " + f.message;
    return f;
}

// A value of type T, or a Failure. Reads like std::optional: test it, then take `*r`.
template <class T>
class Result {
  public:
    Result(T value) : value_(std::move(value)) {}
    Result(Failure f) : failure_(std::move(f)) {}

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    // The value; only when ok().
    T& operator*() & { return *value_; }
    const T& operator*() const& { return *value_; }
    T&& operator*() && { return std::move(*value_); }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    // Why it failed; empty when ok().
    const std::string& error() const { return failure_.message; }
    // The kind of failure; only when !ok().
    Reason reason() const { return failure_.reason; }
    const Failure& failure() const { return failure_; }

  private:
    std::optional<T> value_;
    Failure failure_;
};

// An operation that gives nothing but success or the reason for its failure.
template <>
class Result<void> {
  public:
    Result() = default;
    Result(Failure f) : failed_(true), failure_(std::move(f)) {}

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const std::string& error() const { return failure_.message; }
    Reason reason() const { return failure_.reason; }
    const Failure& failure() const { return failure_; }

  private:
    bool failed_ = false;
    Failure failure_;
};
using Status = Result<void>;

}  // namespace humidraw
