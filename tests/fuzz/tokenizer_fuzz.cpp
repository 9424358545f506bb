// The token reader: any text with any delimiters splits into fields that rebuild the text, never
// reads outside it, and converts whole numbers as atoi would, without overflowing.
#include "FuzzSupport.h"
#include "presentation/StringTokenizer.h"

#include <climits>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte says how many delimiter characters follow; none means the default blank.
    const std::size_t count = size > 0 ? data[0] % 4 : 0;
    if (size < 1 + count) {
        return 0;
    }
    const std::string delimiters(reinterpret_cast<const char*>(data + 1), count);
    const std::string text(reinterpret_cast<const char*>(data + 1 + count), size - 1 - count);
    StringTokenizer reader = count == 0 ? StringTokenizer(text) : StringTokenizer(text, delimiters);
    const std::string isDelimiter = count == 0 ? " " : delimiters;

    // The fields and the single delimiter after each rebuild the text exactly.
    std::size_t at = 0;
    for (std::string field = reader.NextToken(); !reader.RanPastEnd(); field = reader.NextToken()) {
        fuzz::Check(text.compare(at, field.size(), field) == 0 &&
                        field.find_first_of(isDelimiter) == std::string::npos &&
                        (at + field.size() == text.size() ||
                         isDelimiter.find(text[at + field.size()]) != std::string::npos),
                    "a field is not the text between two delimiters", text);
        at += field.size() + 1;
        if (field.find('\0') == std::string::npos) {
            const long reference = std::strtol(field.c_str(), nullptr, 10);
            fuzz::Check(StringTokenizer::ToInt(field) == std::clamp<long>(reference, INT_MIN, INT_MAX),
                        "ToInt differs from atoi's reading", field);
        }
        StringTokenizer::ToDouble(field);
    }
    fuzz::Check(at == text.size() + 1, "the fields do not cover the whole text", text);
    fuzz::Check(StringTokenizer::ToString(StringTokenizer::ToDouble(text), data[0] / 4 - 8).find(',') ==
                    std::string::npos,
                "a number's text is localised");
    return 0;
}
