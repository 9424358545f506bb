#pragma once

#include "core/BehaviorScheduler.h"
#include "presentation/EventDispatcher.h"

#include <SFML/Graphics/Rect.hpp>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Food;
class FileError;
class Initializer;
class LifeRecorder;
class Menu;
class Notifier;
class Pet;
class PetBehaviors;
class PetStore;
class Sounds;
class TTTProxy;
namespace windowsize {
class SizeKeys;
}
namespace facade {
class Text;
class WindowApp;
} // namespace facade

// Owns everything of a running game and carries out the player's commands.
class GameController {
public:
    static constexpr const char* kFoodListPath = "Settings\\Food.list";
    static constexpr const char* kGameListPath = "Settings\\Game.list";
    static constexpr const char* kWindowPath = "Settings\\WindowApp.data";

    // Reads the settings and opens the window; throws FileError when the window settings are
    // unusable.
    GameController();
    ~GameController();
    GameController(const GameController&) = delete;
    GameController& operator=(const GameController&) = delete;

    BehaviorScheduler* GetScheduler() const { return scheduler.get(); }
    // The current pet's life record.
    const LifeRecorder& GetLifeRecorder() const { return *lifeRecorder; }

    void NewPet();
    void OpenPet();
    // The menu's Save; a failure is shown in a balloon as well as on standard error.
    void Save();
    // The periodic save: shows a failure once, until a save works again.
    void Autosave();
    // Saves the pet when the display has gone, with file work only; says what became of it
    // ("PIP is saved"), or nothing without a pet.
    std::string SaveForLostDisplay();
    // Saves the pet and ends the game: status 0, or 1 when the pet could not be saved.
    [[noreturn]] void Quit();
    void Feed();
    void Play();
    void Clean();
    void Cure();
    void ShowState();
    // The life view with its growth map and life chart; the game stands still while it is open.
    void ShowLife();
    // Key v: sound off or on, kept in the player's preferences.
    void ToggleSound();
    // The main menu's Pace: a chooser of the paces, applied at once and kept.
    void ChoosePace();

    // The death sequence; `cause` is the death signal's text.
    void OnDeath(const std::string& cause);

    void BuildMainMenu();
    void BuildPetMenu();

    // A name from the pet list may only become a file name when it is non-empty and holds no
    // path separator or "..".
    static bool IsSafePetName(const std::string& name);

private:
    static constexpr const char* kChooserFont = "fonts\\CAMBRIAB.ttf";
    static constexpr const char* kDefaultFont = "fonts/Arial.ttf";
    static constexpr float kRefusalSeconds = 2.5f;

    // The parts of the constructor: the behaviours that run with or without a pet, and what
    // clicks and focus do.
    void AddStandingBehaviors();
    void BindWindow();

    // The naming prompt under `question`; the typed name, or nothing when the player left it.
    std::optional<std::string> AskName(facade::Text& question);
    // A new pet of that name, which no listed pet has; a refusal shows and keeps the current one.
    void MakePet(const std::string& name);
    // The pace from the player's preferences, for the pet's life steps and its record.
    void StartPace();

    enum class ChooserEnd { Confirmed, Escaped, WindowGone };
    // Where a chooser's frame put the entry (name or picture) and the arrow hint, for clicks.
    struct ChooserFrame {
        sf::FloatRect entry, hint;
    };
    using ChooserDraw = std::function<ChooserFrame(std::size_t)>;
    // The loop the three choosers share: draws one entry per frame, takes one event at a time
    // from the window, Left/Right move, Return confirms, Escape leaves; a click on "<-" or "->"
    // moves and one on the entry confirms, as those keys do.
    ChooserEnd RunChooser(std::size_t count, std::size_t& cursor, const ChooserDraw& draw,
                          double pauseAfterEvent, bool holdContext);
    // Leaves the home screen (white, with the hint line) when there is no pet to draw over what
    // a command showed; sets the hint line for having a pet or not.
    void ClearIfNoPet();
    // The home screen as it stood: the pet's last frame, or the empty home without a pet.
    void PaintHome();
    // Shows a file problem to the player and on standard error.
    void Refuse(const FileError& error);
    // Saves the pet, if there is one; false when it could not be written.
    bool SavePet();
    // The same, showing a failure in a balloon unless `unlessTold` and the last one was shown.
    bool SaveAndTell(bool unlessTold = false);
    // The design's death notice for a pet that has died.
    void ShowDeath(const std::string& name);
    // Builds a pet or reports why it cannot; the current pet is untouched on failure.
    std::unique_ptr<Pet> TryBuild(const std::function<std::unique_ptr<Pet>()>& build);
    void OpenChosen(std::size_t index);
    // The feed and play choosers: the pet's behaviours leave the scheduler while the player
    // chooses, `confirm` runs on Return, and everything is put back however the chooser ends.
    void ChooseForPet(std::size_t count, const ChooserDraw& draw,
                      const std::function<void(std::size_t)>& confirm, std::size_t start = 0);
    // Runs a command on the pet, if there is one; a death it causes runs the death sequence.
    void LetPetAct(const std::function<void()>& act);
    // A name in the middle and the arrow hint at the bottom; with a caption at the top left, and
    // with a line under the name that `below` gives for each entry.
    ChooserDraw NameScreen(const std::vector<std::string>& names, const std::string& caption = {},
                           std::function<std::string(std::size_t)> below = {});
    // The feed chooser's screen: each food with what it does and whether the care plan feeds it.
    ChooserDraw FoodScreen(const std::vector<const Food*>& entries);
    // The "<-   Enter   ->" line at the bottom of the choosers.
    std::shared_ptr<facade::Text> ChooserHint() const;
    facade::EventOperation* Keep(std::unique_ptr<facade::EventOperation> operation);

    Initializer* loader;
    std::map<std::string, std::unique_ptr<Food>> foods;
    std::vector<std::string> gameNames;
    std::unique_ptr<Pet> pet;
    std::unique_ptr<facade::WindowApp> window;
    std::unique_ptr<BehaviorScheduler> scheduler;
    std::unique_ptr<PetBehaviors> behaviors;
    std::unique_ptr<facade::EventDispatcher> dispatcher;
    std::unique_ptr<Menu> mainMenu;
    std::unique_ptr<Menu> petMenu;

    std::unique_ptr<TTTProxy> paperScissorsStone;
    std::unique_ptr<Sounds> sounds;
    std::unique_ptr<windowsize::SizeKeys> sizeKeys;
    std::vector<std::unique_ptr<facade::EventOperation>> operations;
    std::vector<std::unique_ptr<AutoBehavior>> standing;
    bool petMenuBuilt = false;
    bool saveFailureShown = false;
    std::unique_ptr<LifeRecorder> lifeRecorder;
    std::unique_ptr<PetStore> store;    // uses the life recorder
    std::unique_ptr<Notifier> notifier; // uses the window
};
