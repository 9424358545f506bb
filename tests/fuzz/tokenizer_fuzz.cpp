// The token reader: any text with any delimiters splits into fields that rebuild the text,
// never reads outside it, and converts numbers exactly as the C library would (atoi/atof),
// without overflowing.

#include "FuzzSupport.h"
#include "presentation/StringTokenizer.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <set>

namespace {
int ReferenceInt(const std::string& field) {
    const long value = std::strtol(field.c_str(), nullptr, 10);
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

// strtod also reads hexadecimal and the words inf and nan; compare only plain decimal text.
bool PlainDecimal(const std::string& field) {
    for (char c : field) {
        if (!((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-' ||
              c == ' ' || (c >= '\t' && c <= '\r'))) {
            return false;
        }
    }
    return true;
}

void CheckNumbers(const std::string& field) {
    fuzz::Check(field.find('\0') != std::string::npos || StringTokenizer::ToInt(field) == ReferenceInt(field),
                "ToInt differs from atoi's reading", field);
    const int asInt = StringTokenizer::ToInt(field);
    fuzz::Check(StringTokenizer::ToInt(StringTokenizer::ToString(asInt)) == asInt,
                "an int does not survive its text");

    const double asDouble = StringTokenizer::ToDouble(field);
    if (PlainDecimal(field) && field.find('\0') == std::string::npos) {
        const double reference = std::strtod(field.c_str(), nullptr);
        const bool tiny = std::fabs(reference) < 1e-300;
        fuzz::Check(asDouble == reference || (tiny && std::fabs(asDouble) < 1e-300),
                    "ToDouble differs from atof's reading", field);
    }
    if (std::isfinite(asDouble) && std::fabs(asDouble) < 1e12) {
        const double back = StringTokenizer::ToDouble(StringTokenizer::ToString(asDouble));
        fuzz::Check(std::fabs(back - asDouble) <= 1e-6, "a double does not survive its text", field);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    // The first byte says how many delimiter characters follow; none means the default blank.
    const std::size_t count = data[0] % 4;
    if (size < 1 + count) {
        return 0;
    }
    const std::string delimiters(reinterpret_cast<const char*>(data + 1), count);
    const std::string text(reinterpret_cast<const char*>(data + 1 + count), size - 1 - count);
    StringTokenizer reader = count == 0 ? StringTokenizer(text) : StringTokenizer(text, delimiters);
    const std::set<char> isDelimiter =
        count == 0 ? std::set<char>{' '} : std::set<char>(delimiters.begin(), delimiters.end());

    // The fields and the single delimiter after each rebuild the text exactly.
    std::size_t at = 0;
    std::size_t fields = 0;
    while (true) {
        const std::string field = reader.NextToken();
        if (reader.RanPastEnd()) {
            fuzz::Check(field.empty(), "a field past the end is not empty");
            fuzz::Check(at == text.size() + 1, "the fields do not cover the whole text", text);
            break;
        }
        fuzz::Check(++fields <= text.size() + 1, "more fields than the text can hold");
        fuzz::Check(text.compare(at, field.size(), field) == 0, "a field is not the text at its place", text);
        for (char c : field) {
            fuzz::Check(isDelimiter.count(c) == 0, "a field holds a delimiter", text);
        }
        at += field.size();
        if (at < text.size()) {
            fuzz::Check(isDelimiter.count(text[at]) == 1, "a field ends before a non-delimiter", text);
        }
        ++at;
        if (fields <= 8) {
            CheckNumbers(field);
        }
    }
    // Once past the end it stays there, and rewinding starts over.
    fuzz::Check(reader.NextToken().empty() && reader.NextInt() == 0 && reader.NextDouble() == 0.0 &&
                    !reader.NextBool(),
                "reading past the end gives something");
    reader.Rewind();
    fuzz::Check(!reader.RanPastEnd(), "Rewind does not clear the past-the-end mark");
    reader.NextToken();
    fuzz::Check(!reader.RanPastEnd(), "the first field lies past the end");
    fuzz::Check(reader.GetText() == text, "the text changed while reading");
    CheckNumbers(text);
    const int precision = static_cast<int>(data[0] >> 2) - 8;
    const std::string fixed = StringTokenizer::ToString(StringTokenizer::ToDouble(text), precision);
    fuzz::Check(!fixed.empty() && fixed.find(',') == std::string::npos,
                "a number's text is empty or localised");
    return 0;
}
