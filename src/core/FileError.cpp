#include "core/FileError.h"

#include <iostream>

std::string DescribeRefusal(const std::string& path, int line, const std::string& what) {
    std::string text = "refused: \"" + path + "\"";
    if (line > 0) {
        text += " line " + std::to_string(line);
    }
    return text + ": " + what;
}

void ReportRefusal(const std::string& path, int line, const std::string& what) {
    std::cerr << DescribeRefusal(path, line, what) << std::endl;
}
