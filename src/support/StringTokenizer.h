#pragma once

#include <bitset>
#include <set>
#include <string>
#include <vector>

// Splits a one-line record into fields at single delimiters (two delimiters in a row enclose
// an empty field) and converts fields to and from numbers. Number text always uses the
// classic locale, whatever the user's locale.
class StringTokenizer {
public:
    StringTokenizer();
    explicit StringTokenizer(const std::string& text);
    StringTokenizer(const std::string& text, const std::string& delimiters);
    StringTokenizer(const std::string& text, const std::vector<char>& delimiters);
    StringTokenizer(const std::string& text, const std::set<char>& delimiters);

    std::string NextToken();
    int NextInt();
    double NextDouble();
    bool NextBool();

    void SetText(const std::string& text);
    std::string GetText() const { return text; }
    void Rewind();

    // True once a field was asked for past the end of the text (more fields than the record
    // holds). Such a field reads as empty; callers use this to reject short records.
    bool RanPastEnd() const { return ranPastEnd; }

    static std::string ToString(const int& value);
    static std::string ToString(const double& value);
    static std::string ToString(const double& value, const int& precision);
    static std::string ToString(const bool& value);

    // Text-to-number conversions with the C library's atoi/atof reading rules (leading
    // blanks, optional sign, longest numeric prefix, 0 when there is none), but independent
    // of the locale and saturating instead of overflowing.
    static int ToInt(const std::string& field);
    static double ToDouble(const std::string& field);

private:
    void SetDelimiters(const std::string& chars);

    std::bitset<256> delimiters;
    std::string text;
    std::size_t position = 0;
    bool ranPastEnd = false;
};
