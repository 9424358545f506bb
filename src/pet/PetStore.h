#pragma once

#include <memory>
#include <string>
#include <vector>

class LifeRecorder;
class Pet;
class StateFactory;
namespace facade {
class WindowApp;
}

// The player's pets on disk: the pet list, and each pet's data file and life record, kept in
// agreement whatever fails. A pet is on the list exactly when its file is there and it lives; a
// dead pet's files stay in "Pets" off the list. It draws nothing: the controller shows what it
// refuses, and the refusal lines are written here.
class PetStore {
public:
    static constexpr const char* kListPath = "Settings\\Pet.list";
    static constexpr const char* kTemplateName = "Default";

    // `names` is the pet list as the game read it at the start.
    PetStore(std::vector<std::string> names, LifeRecorder& recorder, StateFactory* factory = nullptr);

    const std::vector<std::string>& Names() const { return names; }
    bool IsListed(const std::string& name) const;

    // A new pet from the template. The files of a dead pet of that name go to Memories first;
    // then the pet's file and its list line are written. Throws FileError when that cannot be
    // done, and then neither the file nor the line is there.
    std::unique_ptr<Pet> Make(const std::string& name, facade::WindowApp* window);
    // A listed pet from its file. Nothing when its life record ends in its death: it stays dead
    // and leaves the list. Throws FileError when its file cannot be used.
    std::unique_ptr<Pet> Open(const std::string& name, facade::WindowApp* window);
    // Writes the rows its life record still waits for, then its file; true when both are on the
    // disk (refusal lines say what is not).
    bool Save(const Pet& pet);
    // The end of the current pet, made durable before anything is shown: its death row, synced,
    // then the list without it. A list that cannot be rewritten keeps the name until the next
    // rewrite that works; the death row keeps the pet from opening alive meanwhile.
    void Bury(const Pet& pet, const std::string& cause);

private:
    bool Unlist(const std::string& name);

    std::vector<std::string> names;
    LifeRecorder& recorder;
    StateFactory* factory;
    // A list that is there but cannot be read is never rewritten: the names on it would be lost.
    bool listUnreadable = false;
};
