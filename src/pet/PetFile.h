#pragma once

#include <string>
#include <vector>

// What a pet file or the new-pet template holds, checked: the stage and body state are
// registered and the statistics line has all nine fields.
struct PetRecord {
    std::string name;
    int age = 0;
    std::string stage;
    std::string body;
    std::string statistics;
};

namespace petfile {

// "Pets\" + name + ".data" and "Pets\" + name + ".default", as the game names them.
std::string DataPath(const std::string& name);
std::string TemplatePath(const std::string& name);

// Reads a data file: "name age", "stage body", statistics. The age is the last blank-separated
// field of line 1 and the name everything before it, so names with blanks survive.
// Throws FileError (with the path and what is wrong) for a missing, short or unusable file.
PetRecord ReadData(const std::string& gamePath);

// Reads the template: stage, body state and statistics, each line taken whole.
PetRecord ReadTemplate(const std::string& gamePath);

// The three lines of a data file.
std::vector<std::string> DataLines(const std::string& name, int age, const std::string& stage,
                                   const std::string& body, const std::string& statistics);

} // namespace petfile
