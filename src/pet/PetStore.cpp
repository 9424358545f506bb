#include "pet/PetStore.h"

#include "pet/LifeRecorder.h"
#include "pet/Memories.h"
#include "pet/Pet.h"
#include "pet/PetFile.h"
#include "support/FileError.h"
#include "support/FileOps.h"
#include "support/Happenings.h"
#include "support/Seams.h"
#include "support/TextFiles.h"

#include <algorithm>

PetStore::PetStore(std::vector<std::string> names, LifeRecorder& recorder, StateFactory* factory)
    : names(std::move(names)), recorder(recorder), factory(factory) {
    std::string content;
    listUnreadable = textfiles::ReadAll(kListPath, content) == textfiles::Found::Unreadable;
}

bool PetStore::IsListed(const std::string& name) const {
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::unique_ptr<Pet> PetStore::Make(const std::string& name, facade::WindowApp* window) {
    if (listUnreadable) {
        throw FileError(kListPath, 0, "cannot be read; no new pet is made, so that no name on it is lost");
    }
    auto pet = std::make_unique<Pet>(kTemplateName, name, window, factory);
    // Rows still waiting for a dead pet of this name belong to the record that goes to Memories,
    // and never to the new pet's.
    if (!recorder.WriteFor(name)) {
        throw FileError(liferecord::Path(name), 0,
                        "cannot be saved; no new pet is made, so that the last rows of "
                        "the pet that had this name are not lost");
    }
    memories::Keep(name);
    const std::string data = petfile::DataPath(name);
    textfiles::Replace(data, pet->GetLines());
    std::vector<std::string> listed = names;
    listed.push_back(name);
    try {
        textfiles::Replace(kListPath, listed);
    } catch (const FileError&) {
        // A file without its list line could never be opened.
        fileops::Remove(paths::MapForWrite(data));
        throw;
    }
    names = std::move(listed);
    return pet;
}

std::unique_ptr<Pet> PetStore::Open(const std::string& name, facade::WindowApp* window) {
    if (recorder.EndsInDeath(name)) {
        Unlist(name);
        return nullptr;
    }
    return std::make_unique<Pet>(name, window, factory);
}

bool PetStore::Save(const Pet& pet) {
    happenings::Announce(happenings::Kind::Saving, pet.GetName());
    const bool rows = recorder.Write();
    return textfiles::WriteLines(petfile::DataPath(pet.GetName()), pet.GetLines()) && rows;
}

void PetStore::Bury(const Pet& pet, const std::string& cause) {
    recorder.RecordDeath(cause);
    Unlist(pet.GetName());
}

bool PetStore::Unlist(const std::string& name) {
    names.erase(std::remove(names.begin(), names.end(), name), names.end());
    return !listUnreadable && textfiles::WriteLines(kListPath, names);
}
