#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

class Food;
class Game;

// The pet's growth stage, and in the same object its nine statistics with the rules that
// change them. Every command and life step comes in five variants, one per body state
// (Normal, Sleep, Sick, Bored, Smile); stages override the variants where they differ.
// Stage objects are cloned by name from prototypes that register themselves.
class GrowState {
public:
    virtual ~GrowState();
    GrowState& operator=(const GrowState&) = delete;

    // A new stage object cloned from the prototype registered under `name`, owned by the
    // caller. Throws FileError for a name that no stage registered.
    static std::unique_ptr<GrowState> Create(const std::string& name);
    static bool IsRegistered(const std::string& name);

    std::string GetName() const { return name; }
    double GetHeight() const { return height; }
    double GetWeight() const { return weight; }
    int GetStrength() const { return strength; }
    int GetWisdom() const { return wisdom; }
    int GetHealth() const { return health; }
    int GetFull() const { return full; }
    int GetDirty() const { return dirty; }
    int GetMood() const { return mood; }
    int GetEnergy() const { return energy; }

    static constexpr double kMostHeight = 240.0;
    // The height after a gain: heights stop at kMostHeight.
    static double HeightAfter(double height, double gain);

    // What AddFull does with a change at a fullness: it starves the pet (Die), or it refuses a
    // gain when the pet is full ("I'm already Full!"). The care planner asks the same.
    static bool Starves(int full, int v);
    static bool RefusesGain(int full, int v) { return full > 99 && v > 0; }
    // The fullness after a change that does not starve the pet: it stops at 100.
    static int FullAfter(int full, int v);
    // The health after a change: it stops at 100; none when the change kills the pet.
    static std::optional<int> HealthAfter(int health, int v);

    // The statistic rules: the only way the operations change a statistic.
    void AddHeight(double v);
    void AddWeight(double v);
    void AddStrength(int v);
    void AddWisdom(int v);
    void AddHealth(int v);
    void AddFull(int v);
    void AddDirty(int v);
    void AddMood(int v);
    void AddEnergy(int v);

    // The nine statistics as one line of text, each field followed by one blank.
    std::string ToString() const;
    // Sets the nine statistics from their text form, without any rule. Throws FileError when
    // the text lacks a field; then nothing is changed.
    void FromString(const std::string& text);

    virtual std::unique_ptr<GrowState> Clone() const = 0;
    virtual void Grow() = 0;

    virtual void FeedNormal(const Food& food);
    virtual void PlayNormal(Game& game);
    virtual void CleanNormal();
    virtual void CureNormal();
    virtual void LiveNormal();
    virtual void CheckNormal() {}

    virtual void FeedSleep(const Food& food);
    virtual void PlaySleep(Game& game);
    virtual void CleanSleep() { CleanNormal(); }
    virtual void CureSleep() { CureNormal(); }
    virtual void LiveSleep();
    virtual void CheckSleep() {}

    virtual void FeedSick(const Food& food) { FeedNormal(food); }
    virtual void PlaySick(Game& game) { PlayNormal(game); }
    virtual void CleanSick() { CleanNormal(); }
    virtual void CureSick() { CureNormal(); }
    virtual void LiveSick() { LiveNormal(); }
    virtual void CheckSick() {}

    virtual void FeedBored(const Food& food) { FeedNormal(food); }
    virtual void PlayBored(Game& game) { PlayNormal(game); }
    virtual void CleanBored() { CleanNormal(); }
    virtual void CureBored() { CureNormal(); }
    virtual void LiveBored() { LiveNormal(); }
    virtual void CheckBored() {}

    virtual void FeedSmile(const Food& food) { FeedNormal(food); }
    virtual void PlaySmile(Game& game) { PlayNormal(game); }
    virtual void CleanSmile() { CleanNormal(); }
    virtual void CureSmile() { CureNormal(); }
    virtual void LiveSmile() { LiveNormal(); }
    virtual void CheckSmile() {}

protected:
    // Registers this object as the prototype for `name` (the first registration of a name
    // wins) and prints the name.
    explicit GrowState(const std::string& name);
    // Clones copy every field and do not register.
    GrowState(const GrowState&) = default;

private:
    static std::map<std::string, GrowState*>& Registry();

    std::string name;
    double height = 0;
    double weight = 0;
    int strength = 0;
    int wisdom = 0;
    int health = 0;
    int full = 0;
    int dirty = 0;
    int mood = 0;
    int energy = 0;
};
