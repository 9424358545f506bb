#pragma once

#include <ctime>
#include <functional>
#include <string>

// The places where the game touches the outside world in ways tests must control: waiting,
// chance, the wall clock, file paths and the failures of the file operations that write.
// Production code uses the real ones; tests swap them here and nowhere else.

namespace timing {
// Every wait of the game goes through here.
void Sleep(double seconds);
using Sleeper = std::function<void(double)>;
// Installs a replacement (an empty function restores real sleeping); returns the previous one.
Sleeper SetSleeper(Sleeper sleeper);
// Tries until `attempt` works, sleeping `pause` between tries; false, without spinning on, once
// the game is asked to end.
bool Retry(const std::function<bool()>& attempt, double pause);
} // namespace timing

namespace wallclock {
// Current calendar time in whole seconds.
std::time_t Now();
using Source = std::function<std::time_t()>;
Source SetSource(Source source);
} // namespace wallclock

// A source of random numbers that behaves like the C library's srand/rand pair.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void Seed(unsigned seed) = 0;
    virtual int Draw() = 0;
};

namespace chance {
// Reseeds with the current time in whole seconds, as every random rule does before drawing.
void Reseed();
// One raw draw (0 to 2^31 - 1).
int Draw();
// One draw taken modulo n; n below 1 counts as 1, so a rule never divides by zero.
int R(int n);
// Installs a source (nullptr restores the game's own); returns the previous one.
RandomSource* SetSource(RandomSource* source);
} // namespace chance

namespace paths {
// Where the game's files live. With no folders set (the default, and a self-contained data
// folder as working directory) paths stay relative to the working directory. Otherwise every
// write goes to the player folder, and a read takes the player's file when there is one and
// the shipped (read-only) one otherwise.
struct Layers {
    std::string player;
    std::string shipped;
};
void SetLayers(Layers layers);
const Layers& GetLayers();

// Turns a path written with backslashes into the file the game reads.
std::string Map(const std::string& gamePath);
// The file the game writes for that path: always in the player folder.
std::string MapForWrite(const std::string& gamePath);
} // namespace paths

namespace faults {
// Every file operation that writes (support/FileOps) asks here first, so that a test can fail
// any one of them as a full disk or a failing one would.
enum class Op { Open, Write, Sync, Rename, FolderSync, MakeFolder, Append, Truncate };
// Returns the errno the operation is to fail with, or 0 to let it run.
using Injector = std::function<int(Op)>;
// Installs an injector (an empty one lets every operation run); returns the previous one.
Injector SetInjector(Injector injector);
int Next(Op op);
} // namespace faults
