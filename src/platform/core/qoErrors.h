#pragma once
// One exception base for the whole library; the message text is what a host
// finally sees as the error description.
#include <cstdint>
#include <exception>
#include <string>

namespace qo {

class EqoError : public std::exception {
public:
    explicit EqoError(std::string message) : fMessage(std::move(message)) {}
    const char* what() const noexcept override { return fMessage.c_str(); }
    const std::string& Message() const { return fMessage; }

private:
    std::string fMessage;
};

// "List index out of bounds (%d)"
class EListError : public EqoError {
public:
    explicit EListError(int64_t index);
    explicit EListError(std::string message) : EqoError(std::move(message)) {}
};

// "Invalid class typecast"
class EInvalidCast : public EqoError {
public:
    EInvalidCast();
};

// Text that does not read as a date, time or number.
class EConvertError : public EqoError {
public:
    using EqoError::EqoError;
};

// printf-style formatting of a message text.
#ifdef __clang__
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
#else
std::string Format(const char* fmt, ...) __attribute__((format(gnu_printf, 1, 2)));
#endif

} // namespace qo
