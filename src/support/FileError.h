#pragma once

#include <stdexcept>
#include <string>

// A file or setting the game cannot use: missing, unreadable, short of fields, or naming
// something unknown. Deliberately outside the signal family (Exception) so that a signal
// handler never hides it.
class FileError : public std::runtime_error {
public:
    explicit FileError(const std::string& what) : std::runtime_error(what) {}
    // Names the file (as the game names it, with backslashes) and, when not 0, the line.
    FileError(const std::string& path, int line, const std::string& what);
};

// Every refusal is one line on standard error, in the same form everywhere:
//   refused: "Settings\Food.list" line 4: the wisdom field is missing (a food has 9 fields)
// `line` 0 means the problem belongs to the whole file.
std::string DescribeRefusal(const std::string& path, int line, const std::string& what);
void ReportRefusal(const std::string& path, int line, const std::string& what);
void ReportRefusal(const FileError& error);
