#include "growth/Food.h"

#include "support/FileError.h"
#include "support/StringTokenizer.h"

#include <cmath>

namespace {
const char* const kFieldNames[] = {"name", "height", "weight",   "health", "full",
                                   "mood", "energy", "strength", "wisdom"};
}

Food::Food(const std::string& line) {
    StringTokenizer reader(line);
    int fieldsRead = 0;
    auto checked = [&]() {
        if (reader.RanPastEnd()) {
            throw FileError("the " + std::string(kFieldNames[fieldsRead]) +
                            " field is missing (a food has 9 fields)");
        }
        ++fieldsRead;
    };
    // Read into locals first, so a food is never half-built.
    std::string readName = reader.NextToken();
    checked();
    if (readName.empty()) {
        throw FileError("the food has no name");
    }
    double readHeight = reader.NextDouble();
    checked();
    double readWeight = reader.NextDouble();
    checked();
    // "nan" or "inf" would spread into the pet's height or weight and stay there for good.
    if (!std::isfinite(readHeight) || !std::isfinite(readWeight)) {
        throw FileError("the height and weight must be finite numbers");
    }
    int values[6];
    for (int& value : values) {
        value = reader.NextInt();
        checked();
    }
    name = readName;
    height = readHeight;
    weight = readWeight;
    health = values[0];
    full = values[1];
    mood = values[2];
    energy = values[3];
    strength = values[4];
    wisdom = values[5];
}
