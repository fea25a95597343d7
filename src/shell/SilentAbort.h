#pragma once
#include <exception>

// A refused operation: it has shown its own message already; nothing reports or logs it.
class SilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "silent abort"; }
};

[[noreturn]] inline void Abort() { throw SilentAbort(); }
