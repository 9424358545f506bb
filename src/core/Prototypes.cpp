#include "core/Prototypes.h"

#include "growth/BodyState.h"
#include "growth/Stages.h"
#include "support/Signals.h"

#include <iostream>
#include <memory>
#include <vector>

namespace {
template <class T> void Keep(std::vector<std::unique_ptr<GrowState>>& stages) {
    stages.push_back(std::make_unique<T>());
}
template <class T> void Keep(std::vector<std::unique_ptr<BodyState>>& bodies) {
    bodies.push_back(std::make_unique<T>());
}
} // namespace

void CreateStatePrototypes() {
    static std::vector<std::unique_ptr<GrowState>> stages;
    static std::vector<std::unique_ptr<BodyState>> bodies;
    try {
        Keep<BigCock>(stages);
        Keep<Normal>(bodies);
        Keep<Smile>(bodies);
        Keep<Bored>(bodies);
        Keep<Sick>(bodies);
        Keep<ZZZ>(bodies);
        Keep<Baby>(stages);
        Keep<BigBaby>(stages);
        Keep<Chicken>(stages);
        Keep<Cock>(stages);
        Keep<Egg>(stages);
        Keep<Flower>(stages);
        Keep<SmallBaby>(stages);
        Keep<SmallChick>(stages);
        Keep<SmallCock>(stages);
    } catch (Exception& signal) {
        std::cout << signal.GetName() << std::endl;
    }
}
