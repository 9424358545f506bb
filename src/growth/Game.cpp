#include "growth/Game.h"

Game::Game(const std::string& name) : name(name) {
    Reset();
}

Game::~Game() {
    // Never leave the registry pointing at a destroyed game.
    auto& registry = Registry();
    auto found = registry.find(name);
    if (found != registry.end() && found->second == this) {
        registry.erase(found);
    }
}

void Game::Reset() {
    result = strength = wisdom = energy = full = sixth = 0;
}

void Game::Register() {
    Registry()[name] = this;
}

Game* Game::Get(const std::string& name) {
    auto& registry = Registry();
    auto found = registry.find(name);
    return found == registry.end() ? nullptr : found->second;
}

std::map<std::string, Game*>& Game::Registry() {
    // Never destroyed: prototypes may unregister themselves during exit.
    static auto& registry = *new std::map<std::string, Game*>();
    return registry;
}
