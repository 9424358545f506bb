#pragma once

#include <cstdint>
#include <string>

// One row of a pet's life record ("Pets\<NAME>.life"): what happened and the pet right after.
// The record is CSV with these columns in this order:
//   time,steps,event,stage,body,height,weight,mood,full,energy,health,dirty,strength,wisdom,detail
struct LifeRow {
    std::string time;        // local date and time, ISO 8601 with offset
    std::uint64_t steps = 0; // life steps lived since the pet was made
    std::string event;       // new, open, live, grow, state, feed, play, clean, cure, refused, death
    std::string stage;
    std::string body;
    double height = 0.0;
    double weight = 0.0;
    int mood = 0, full = 0, energy = 0, health = 0, dirty = 0, strength = 0, wisdom = 0;
    std::string detail;
};
