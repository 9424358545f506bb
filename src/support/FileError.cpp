#include "support/FileError.h"

#include <iostream>

FileError::FileError(const std::string& path, int line, const std::string& what)
    : std::runtime_error(DescribeRefusal(path, line, what)) {}

namespace {
// Refusals quote what the files hold; a control character there (a carriage return, a tab, an
// escape sequence) could garble or hide the line, so it is shown as \xNN instead.
std::string Printable(const std::string& text) {
    static const char digits[] = "0123456789ABCDEF";
    std::string shown;
    shown.reserve(text.size());
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f) {
            shown += "\\x";
            shown += digits[u >> 4];
            shown += digits[u & 0xf];
        } else {
            shown += c;
        }
    }
    return shown;
}
} // namespace

std::string DescribeRefusal(const std::string& path, int line, const std::string& what) {
    std::string text = "\"";
    text += Printable(path);
    text += '"';
    if (line > 0) {
        text += " line ";
        text += std::to_string(line);
    }
    text += ": ";
    text += Printable(what);
    return text;
}

void ReportRefusal(const std::string& path, int line, const std::string& what) {
    std::cerr << "refused: " << DescribeRefusal(path, line, what) << std::endl;
}

void ReportRefusal(const FileError& error) {
    std::cerr << "refused: " << Printable(error.what()) << std::endl;
}
