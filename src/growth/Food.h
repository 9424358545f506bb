#pragma once

#include <string>

// A food from the food list: the amounts by which eating it changes the pet's statistics.
class Food {
public:
    // Reads "name height weight health full mood energy strength wisdom" split at single
    // blanks. Throws FileError when the line lacks a field or has no name.
    explicit Food(const std::string& line);

    std::string GetName() const { return name; }
    double GetHeight() const { return height; }
    double GetWeight() const { return weight; }
    int GetHealth() const { return health; }
    int GetFull() const { return full; }
    int GetMood() const { return mood; }
    int GetEnergy() const { return energy; }
    int GetStrength() const { return strength; }
    int GetWisdom() const { return wisdom; }

private:
    std::string name;
    double height = 0;
    double weight = 0;
    int health = 0;
    int full = 0;
    int mood = 0;
    int energy = 0;
    int strength = 0;
    int wisdom = 0;
};
