#pragma once

#include <map>
#include <memory>
#include <string>

class Food;
class Game;
class GrowState;

// How the pet feels right now: Normal, Smile, Bored, Sick or asleep ("Sleep"). A body state
// holds no rules of its own; it sends every request to its growth stage's rule set for this
// body state. It also carries the frame count and bob distance its picture is drawn with.
class BodyState {
public:
    virtual ~BodyState();
    BodyState& operator=(const BodyState&) = delete;

    // A new body state cloned from the prototype registered under `name`, owned by the
    // caller. Throws FileError for a name that no body state registered.
    static std::unique_ptr<BodyState> Get(const std::string& name);
    static bool IsRegistered(const std::string& name);

    void Bind(GrowState* stage, int frames, int moveBy);

    std::string GetName() const { return name; }
    std::string GetGrowStateName() const;
    std::string GetGrowStateData() const;
    GrowState* GetGrowState() const { return growState; }
    int GetFrameCount() const { return frameCount; }
    int GetMove() const { return move; }

    double GetHeight() const;
    double GetWeight() const;
    int GetStrength() const;
    int GetWisdom() const;
    int GetHealth() const;
    int GetFull() const;
    int GetDirty() const;
    int GetMood() const;
    int GetEnergy() const;

    virtual std::unique_ptr<BodyState> Clone() const = 0;
    // The growth check, then this body state's check.
    virtual void Check() = 0;
    virtual void Feed(const Food& food) = 0;
    virtual void Play(Game& game) = 0;
    virtual void Clean() = 0;
    virtual void Cure() = 0;
    virtual void Live() = 0;

protected:
    // Registers this object as the prototype for `name` (the first registration wins) and
    // prints the name.
    explicit BodyState(const std::string& name);
    BodyState(const BodyState&) = default;

    GrowState& Stage() const { return *growState; }

private:
    static std::map<std::string, BodyState*>& Registry();

    GrowState* growState = nullptr;
    std::string name;
    int move = 0;
    int frameCount = 0;
};

// The five body states differ only in their registry name and in the growth stage's rule set
// that answers them; both follow from the kind.
enum class BodyKind { Normal, Smile, Bored, Sick, Sleep };

template <BodyKind Kind> class BodyStateOf final : public BodyState {
public:
    BodyStateOf();
    std::unique_ptr<BodyState> Clone() const override {
        return std::unique_ptr<BodyState>(new BodyStateOf(*this));
    }
    void Check() override;
    void Feed(const Food& food) override;
    void Play(Game& game) override;
    void Clean() override;
    void Cure() override;
    void Live() override;

private:
    BodyStateOf(const BodyStateOf&) = default;
};

using Normal = BodyStateOf<BodyKind::Normal>;
using Smile = BodyStateOf<BodyKind::Smile>;
using Bored = BodyStateOf<BodyKind::Bored>;
using Sick = BodyStateOf<BodyKind::Sick>;
using ZZZ = BodyStateOf<BodyKind::Sleep>;
