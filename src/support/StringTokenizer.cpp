#include "support/StringTokenizer.h"

#include <charconv>
#include <climits>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <locale>
#include <sstream>

namespace {
bool IsCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
} // namespace

StringTokenizer::StringTokenizer() : StringTokenizer(std::string()) {}

StringTokenizer::StringTokenizer(const std::string& text) : text(text) {
    SetDelimiters(" ");
}

StringTokenizer::StringTokenizer(const std::string& text, const std::string& chars) : text(text) {
    SetDelimiters(chars);
}

StringTokenizer::StringTokenizer(const std::string& text, const std::vector<char>& chars)
    : StringTokenizer(text, std::string(chars.begin(), chars.end())) {}

StringTokenizer::StringTokenizer(const std::string& text, const std::set<char>& chars)
    : StringTokenizer(text, std::string(chars.begin(), chars.end())) {}

void StringTokenizer::SetDelimiters(const std::string& chars) {
    delimiters.reset();
    for (char c : chars) {
        delimiters.set(static_cast<unsigned char>(c));
    }
}

std::string StringTokenizer::NextToken() {
    if (position > text.size()) {
        ranPastEnd = true;
        return std::string();
    }
    std::size_t end = position;
    while (end < text.size() && !delimiters.test(static_cast<unsigned char>(text[end]))) {
        ++end;
    }
    std::string field = text.substr(position, end - position);
    position = end + 1;
    return field;
}

int StringTokenizer::NextInt() {
    return ToInt(NextToken());
}

double StringTokenizer::NextDouble() {
    return ToDouble(NextToken());
}

bool StringTokenizer::NextBool() {
    return NextToken() == "true";
}

void StringTokenizer::SetText(const std::string& newText) {
    text = newText;
}

void StringTokenizer::Rewind() {
    position = 0;
    ranPastEnd = false;
}

std::string StringTokenizer::ToString(const int& value) {
    return std::to_string(value);
}

std::string StringTokenizer::ToString(const double& value) {
    return ToString(value, 6);
}

std::string StringTokenizer::ToString(const double& value, const int& precision) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::fixed << std::setprecision(precision < 0 ? 0 : precision) << value;
    return out.str();
}

std::string StringTokenizer::ToString(const bool& value) {
    return value ? "true" : "false";
}

int StringTokenizer::ToInt(const std::string& field) {
    std::size_t i = 0;
    while (i < field.size() && IsCSpace(field[i])) {
        ++i;
    }
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
        negative = field[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
        value = value * 10 + (field[i] - '0');
        if (value > static_cast<std::int64_t>(INT_MAX) + 1) {
            value = static_cast<std::int64_t>(INT_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return static_cast<int>(value < INT_MIN ? INT_MIN : value);
}

double StringTokenizer::ToDouble(const std::string& field) {
    std::size_t i = 0;
    while (i < field.size() && IsCSpace(field[i])) {
        ++i;
    }
    // from_chars takes no leading '+', which atof accepts.
    if (i + 1 < field.size() && field[i] == '+' && field[i + 1] != '-' && field[i + 1] != '+') {
        ++i;
    }
    double value = 0.0;
    const char* first = field.data() + i;
    const char* last = field.data() + field.size();
    auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // Mirror strtod: overflow gives an infinity of the right sign, underflow gives 0.
        std::istringstream in(std::string(first, last));
        in.imbue(std::locale::classic());
        double probe = 0.0;
        in >> probe;
        if (probe == std::numeric_limits<double>::max() || probe == -std::numeric_limits<double>::max()) {
            return probe > 0 ? std::numeric_limits<double>::infinity()
                             : -std::numeric_limits<double>::infinity();
        }
        return probe;
    }
    if (error != std::errc()) {
        return 0.0;
    }
    (void)end;
    return value;
}
