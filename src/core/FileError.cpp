#include "core/FileError.h"

#include <iostream>

FileError::FileError(const std::string& path, int line, const std::string& what)
    : std::runtime_error(DescribeRefusal(path, line, what)) {}

std::string DescribeRefusal(const std::string& path, int line, const std::string& what) {
    std::string text = "\"" + path + "\"";
    if (line > 0) {
        text += " line " + std::to_string(line);
    }
    return text + ": " + what;
}

void ReportRefusal(const std::string& path, int line, const std::string& what) {
    std::cerr << "refused: " << DescribeRefusal(path, line, what) << std::endl;
}

void ReportRefusal(const FileError& error) {
    std::cerr << "refused: " << error.what() << std::endl;
}
