#pragma once

#include <map>
#include <memory>
#include <string>

class BodyState;
class GrowState;

// Holds the frame-count and bob-distance tables of every (growth stage, body state) pair,
// owns the pet's current growth-stage object, and builds body states bound to it.
class StateFactory {
public:
    using Table = std::map<std::string, std::map<std::string, int>>;

    static constexpr const char* kPicturesPath = "Settings\\StatePic.list";
    static constexpr const char* kMovesPath = "Settings\\StateMove.list";

    // The game's one factory, reading both tables on first use.
    static StateFactory& GetInstance();

    StateFactory(const std::string& picturesPath, const std::string& movesPath);
    ~StateFactory();
    StateFactory(const StateFactory&) = delete;
    StateFactory& operator=(const StateFactory&) = delete;

    // Makes a new stage object of that name with those statistics the current one. The stage
    // it replaces stays alive until the next call, because the pet being replaced may still
    // use it. Throws FileError (and changes nothing) for an unknown stage or a short line.
    void SetGrowState(const std::string& stage, const std::string& statistics);
    // Moves to the next stage, carrying the statistics over through their text form, and
    // returns a body state of the given name bound to it. Throws FileError (and changes
    // nothing) for an unknown stage, std::logic_error before the first SetGrowState.
    std::unique_ptr<BodyState> ChangeGrowState(const std::string& stage, const std::string& body);
    // A new body state bound to the current stage with its pair's frame count and move.
    // Throws std::logic_error before the first SetGrowState.
    std::unique_ptr<BodyState> CreateBodyState(const std::string& body);

    GrowState* GetGrowState() const { return growState.get(); }
    const std::string& GetGrowName() const { return growName; }
    const Table& GetMoves() const { return moves; }

    // Reads one table file: records of a stage name and five (body-state name, integer)
    // pairs, separated by any white space. A record cut short or holding a value that is not
    // a whole number is reported on standard error and ends the reading; earlier records stay.
    static Table ReadTable(const std::string& path);

private:
    void RequireGrowState() const;

    std::unique_ptr<GrowState> growState;
    std::unique_ptr<GrowState> retired;
    std::string growName;
    Table frameCounts;
    Table moves;
};
