#include "pet/PetFile.h"

#include "growth/BodyState.h"
#include "growth/GrowState.h"
#include "support/FileError.h"
#include "support/StringTokenizer.h"
#include "support/TextFiles.h"

#include <cmath>

namespace petfile {
namespace {
std::vector<std::string> ReadThreeLines(const std::string& path) {
    std::vector<std::string> lines;
    if (!textfiles::ReadLines(path, lines)) {
        throw FileError(path, 0, "cannot be opened");
    }
    if (lines.size() < 3) {
        throw FileError(path, 0, "holds " + std::to_string(lines.size()) + " of its 3 lines");
    }
    return lines;
}

// The statistics line must hold all nine fields before any stage sees it.
void CheckStatistics(const std::string& path, const std::string& line) {
    StringTokenizer reader(line);
    const double height = reader.NextDouble();
    const double weight = reader.NextDouble();
    for (int field = 2; field < 9; ++field) {
        reader.NextToken();
    }
    if (reader.RanPastEnd()) {
        throw FileError(path, 3, "the statistics line has fewer than 9 fields");
    }
    // A "nan" or "inf" would stay in the pet for good and stop its growth.
    if (!std::isfinite(height) || !std::isfinite(weight)) {
        throw FileError(path, 3, "the height and weight must be finite numbers");
    }
}

void CheckStates(const std::string& path, int line, const PetRecord& record) {
    if (!GrowState::IsRegistered(record.stage)) {
        throw FileError(path, line, "unknown growth stage \"" + record.stage + "\"");
    }
    if (!BodyState::IsRegistered(record.body)) {
        throw FileError(path, line, "unknown body state \"" + record.body + "\"");
    }
}
} // namespace

std::string DataPath(const std::string& name) {
    return "Pets\\" + name + ".data";
}

std::string TemplatePath(const std::string& name) {
    return "Pets\\" + name + ".default";
}

PetRecord ReadData(const std::string& path) {
    const std::vector<std::string> lines = ReadThreeLines(path);
    PetRecord record;

    const std::string& identity = lines[0];
    const std::size_t lastBlank = identity.rfind(' ');
    if (lastBlank == std::string::npos) {
        throw FileError(path, 1, "the age is missing");
    }
    record.name = identity.substr(0, lastBlank);
    record.age = StringTokenizer::ToInt(identity.substr(lastBlank + 1));
    if (record.name.empty()) {
        throw FileError(path, 1, "the name is missing");
    }

    StringTokenizer states(lines[1]);
    record.stage = states.NextToken();
    record.body = states.NextToken();
    if (states.RanPastEnd()) {
        throw FileError(path, 2, "the body state is missing");
    }
    CheckStates(path, 2, record);

    record.statistics = lines[2];
    CheckStatistics(path, record.statistics);
    return record;
}

PetRecord ReadTemplate(const std::string& path) {
    const std::vector<std::string> lines = ReadThreeLines(path);
    PetRecord record;
    record.stage = lines[0];
    record.body = lines[1];
    if (!GrowState::IsRegistered(record.stage)) {
        throw FileError(path, 1, "unknown growth stage \"" + record.stage + "\"");
    }
    if (!BodyState::IsRegistered(record.body)) {
        throw FileError(path, 2, "unknown body state \"" + record.body + "\"");
    }
    record.statistics = lines[2];
    CheckStatistics(path, record.statistics);
    return record;
}

std::vector<std::string> DataLines(const std::string& name, int age, const std::string& stage,
                                   const std::string& body, const std::string& statistics) {
    return {name + " " + StringTokenizer::ToString(age), stage + " " + body, statistics};
}

} // namespace petfile
