#include "presentation/PicFactory.h"

#include <map>
#include <memory>

facade::Picture* PicFactory::GetPicture(const std::string& name) {
    // Kept for the whole run on purpose: pictures are shared by pointer with every user.
    static auto* cache = new std::map<std::string, std::unique_ptr<facade::Picture>>();
    auto found = cache->find(name);
    if (found == cache->end()) {
        found = cache->emplace(name, std::make_unique<facade::Picture>(PathOf(name))).first;
    }
    return found->second.get();
}
