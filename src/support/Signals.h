#pragma once

#include <ostream>
#include <string>

// The game's signals: state changes, death, refusals and finished text entry travel up the
// call chain as exceptions carrying one text. File and settings problems are NOT signals;
// they use FileError, so no handler of these ever swallows one.
class Exception {
public:
    Exception() = default;
    explicit Exception(const std::string& message) : message(message) {}
    virtual ~Exception() = default;
    Exception(const Exception&) = default;
    Exception& operator=(const Exception&) = default;

    virtual std::string GetName() const { return "Exception"; }
    std::string GetMessage() const { return message; }

private:
    std::string message;
};

std::ostream& operator<<(std::ostream& out, const Exception& signal);

class StateChanged : public Exception {
public:
    using Exception::Exception;
    std::string GetName() const override = 0;
};

#define HATCHLING_SIGNAL(Class, Base)                                                                        \
    class Class : public Base {                                                                              \
    public:                                                                                                  \
        using Base::Base;                                                                                    \
        std::string GetName() const override { return #Class; }                                              \
    }

HATCHLING_SIGNAL(BodyStateChanged, StateChanged);
HATCHLING_SIGNAL(GrowStateChanged, StateChanged);
HATCHLING_SIGNAL(Die, Exception);
HATCHLING_SIGNAL(InvalidOperation, Exception);
HATCHLING_SIGNAL(InputFinished, Exception);
HATCHLING_SIGNAL(InterruptedException, Exception);

#undef HATCHLING_SIGNAL
