#include "support/Signals.h"

std::ostream& operator<<(std::ostream& out, const Exception& signal) {
    out << signal.GetName();
    const std::string message = signal.GetMessage();
    if (!message.empty()) {
        out << ": " << message;
    }
    return out;
}
