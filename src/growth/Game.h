#pragma once

#include <map>
#include <string>

// A mini-game played with the pet. One run fills the counters that the play rules read
// afterwards; games are found by name in a process-wide registry.
class Game {
public:
    explicit Game(const std::string& name);
    virtual ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Plays one run, from opening the game's window to closing it.
    virtual void Play() = 0;

    void Reset();
    void AddResult(int v) { result += v; }
    void AddStrength(int v) { strength += v; }
    void AddWisdom(int v) { wisdom += v; }
    void AddEnergy(int v) { energy += v; }
    void AddFull(int v) { full += v; }
    void AddSixth(int v) { sixth += v; }
    int GetResult() const { return result; }
    int GetStrength() const { return strength; }
    int GetWisdom() const { return wisdom; }
    int GetEnergy() const { return energy; }
    int GetFull() const { return full; }
    int GetSixth() const { return sixth; }

    std::string GetName() const { return name; }

    // A game registered later under the same name replaces the earlier one.
    void Register();
    // The game registered under the name, or nullptr when there is none.
    static Game* Get(const std::string& name);

private:
    static std::map<std::string, Game*>& Registry();

    std::string name;
    int result = 0;
    int strength = 0;
    int wisdom = 0;
    int energy = 0;
    int full = 0;
    int sixth = 0;
};
