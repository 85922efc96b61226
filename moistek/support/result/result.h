#pragma once
// The outcome of an operation that can fail, everywhere outside the engine (whose methods keep
// their 1 and -1): a value, or the reason it could not be had, in the words the user reads.
#include <optional>
#include <string>
#include <utility>

namespace humidraw {

// The reason an operation failed; converts to a failed Result of any type.
struct Failure {
    std::string message;
};

inline Failure failure(std::string message) {
    return {std::move(message)};
}

// A value of type T, or a Failure. Reads like std::optional: test it, then take `*r`.
template <class T>
class Result {
  public:
    Result(T value) : value_(std::move(value)) {}
    Result(Failure f) : error_(std::move(f.message)) {}

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    // The value; only when ok().
    T& operator*() & { return *value_; }
    const T& operator*() const& { return *value_; }
    T&& operator*() && { return std::move(*value_); }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    // Why it failed; empty when ok().
    const std::string& error() const { return error_; }

  private:
    std::optional<T> value_;
    std::string error_;
};

// An operation that gives nothing but success or the reason for its failure.
template <>
class Result<void> {
  public:
    Result() = default;
    Result(Failure f) : failed_(true), error_(std::move(f.message)) {}

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const std::string& error() const { return error_; }

  private:
    bool failed_ = false;
    std::string error_;
};
using Status = Result<void>;

}  // namespace humidraw
