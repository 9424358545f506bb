#include "presentation/Sounds.h"

#include "support/FileError.h"
#include "support/Seams.h"

#include <AL/alc.h>
#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <dlfcn.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <list>
#include <map>
#include <mutex>
#include <set>
#include <system_error>

namespace {
using Clock = std::chrono::steady_clock;

void Quiet(const char*, int, const char*, int, const char*, ...) {}

// Looking for a device, OpenAL Soft and the ALSA library it loads each print their own lines
// for every backend that has none; the game says it once, in its own words. OpenAL Soft's log
// level is read from the environment (a level the player set is kept); ALSA's lines are
// quietened by the helper, off the game's thread, before it first looks.
void QuietenAlsa() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    // The library stays loaded (OpenAL Soft uses the same one); without it there is nothing to quieten.
    if (void* alsa = ::dlopen("libasound.so.2", RTLD_LAZY)) {
        if (void* set = ::dlsym(alsa, "snd_lib_error_set_handler")) {
            reinterpret_cast<int (*)(Handler)>(set)(Quiet);
        }
    }
}

// Asked of OpenAL directly before SFML opens it: SFML reports a missing device with a line for
// every call it then makes.
bool DeviceOpens() {
    ALCdevice* device = ::alcOpenDevice(nullptr);
    if (device == nullptr) {
        return false;
    }
    ::alcCloseDevice(device);
    return true;
}
} // namespace

std::string Sounds::For(const happenings::Happening& happening) {
    using happenings::Kind;
    switch (happening.kind) {
    case Kind::Hatched:
        return "Hatched";
    case Kind::Grew:
        return "Grew";
    case Kind::Fed:
        return "Fed";
    case Kind::Refused:
        return "Refused";
    case Kind::TurnWon:
        return "TurnWon";
    case Kind::TurnLost:
        return "TurnLost";
    case Kind::TurnDrawn:
        return "TurnDrawn";
    case Kind::Cleaned:
        return "Cleaned";
    case Kind::Cured:
        return "Cured";
    case Kind::NeedBegan:
        return "Need";
    case Kind::Died:
        return "Died";
    case Kind::Greeted:
        return "Greeted";
    default:
        return "";
    }
}

std::vector<std::string> Sounds::Names() {
    std::set<std::string> names;
    for (int kind = 0; kind <= static_cast<int>(happenings::Kind::FocusGained); ++kind) {
        names.insert(For({static_cast<happenings::Kind>(kind), ""}));
    }
    names.erase("");
    return {names.begin(), names.end()};
}

struct Sounds::Shared {
    struct Request {
        std::string gamePath, file;
    };
    std::mutex mutex;
    std::condition_variable wake, ended;
    std::vector<Request> queue;
    bool on = true;
    bool running = false;
    bool stopping = false;
    bool toldSilent = false;           // the helper's only
    std::set<std::string> toldMissing; // the helper's only

    // The helper thread: plays what is asked for until it has been quiet for kIdleSeconds.
    void Run();
    // One stretch with the device open; false when the device could not be opened.
    bool Session(std::unique_lock<std::mutex>& lock);
    void Start(const Request& request, std::map<std::string, sf::SoundBuffer>& buffers,
               std::list<sf::Sound>& voices, Clock::time_point& quietAt);
};

Sounds::Sounds(bool on)
    : shared(std::make_shared<Shared>()), listening([this](const happenings::Happening& happening) {
          const std::string name = For(happening);
          if (!name.empty()) {
              Play(name);
          }
      }) {
    shared->on = on;
}

void Sounds::PrepareEnvironment() {
    ::setenv("ALSOFT_LOGLEVEL", "0", 0);
}

Sounds::~Sounds() {
    Stop();
}

bool Sounds::Stop() {
    std::unique_lock lock(shared->mutex);
    shared->stopping = true;
    shared->queue.clear();
    shared->wake.notify_one();
    const bool ended = shared->ended.wait_for(lock, std::chrono::duration<double>(kFarewellSeconds),
                                              [this] { return !shared->running; });
    lock.unlock();
    if (helper.joinable()) {
        if (ended) {
            helper.join();
        } else {
            helper.detach(); // stuck in the audio system: the game does not wait for ever
        }
    }
    return ended;
}

bool Sounds::IsOn() const {
    std::lock_guard lock(shared->mutex);
    return shared->on;
}

void Sounds::SetOn(bool on) {
    std::lock_guard lock(shared->mutex);
    shared->on = on;
    shared->queue.clear();
    shared->wake.notify_one();
}

void Sounds::Play(const std::string& name) {
    if (!IsOn()) {
        return;
    }
    Shared::Request request{GamePath(name), paths::Map(GamePath(name))};
    std::lock_guard lock(shared->mutex);
    if (!shared->on || shared->stopping) {
        return;
    }
    shared->queue.push_back(std::move(request));
    if (shared->running) {
        shared->wake.notify_one();
        return;
    }
    // A helper that stopped running has left the lock for good; joining it waits for nothing.
    if (helper.joinable()) {
        helper.join();
    }
    try {
        helper = std::thread([keep = shared] { keep->Run(); });
        shared->running = true;
    } catch (const std::system_error&) {
        shared->queue.clear(); // no thread to spare: this sound is not heard
    }
}

void Sounds::Shared::Run() {
    std::unique_lock lock(mutex);
    // A sound asked for while the last session let go of the device opens a new one.
    while (!queue.empty() && on && !stopping) {
        if (!Session(lock)) {
            queue.clear();
            if (!toldSilent) {
                toldSilent = true;
                std::cerr << "sound: no audio device could be opened; the game plays without sound"
                          << std::endl;
            }
        }
    }
    queue.clear();
    running = false;
    ended.notify_all();
}

bool Sounds::Shared::Session(std::unique_lock<std::mutex>& lock) {
    lock.unlock();
    QuietenAlsa(); // only ever on the one helper thread there is at a time
    if (!DeviceOpens()) {
        lock.lock();
        return false;
    }
    {
        // Declared in this order so that the sounds go before their buffers.
        std::map<std::string, sf::SoundBuffer> buffers;
        std::list<sf::Sound> voices;
        Clock::time_point quietAt = Clock::now();
        lock.lock();
        while (on && !stopping && (!queue.empty() || Clock::now() < quietAt)) {
            if (queue.empty()) {
                wake.wait_until(lock, quietAt);
                continue;
            }
            const std::vector<Request> asked = std::move(queue);
            queue.clear();
            lock.unlock();
            for (const Request& request : asked) {
                Start(request, buffers, voices, quietAt);
            }
            lock.lock();
        }
        lock.unlock();
    } // every sound and buffer goes here, and with the last of them SFML closes the device
    lock.lock();
    return true;
}

void Sounds::Shared::Start(const Request& request, std::map<std::string, sf::SoundBuffer>& buffers,
                           std::list<sf::Sound>& voices, Clock::time_point& quietAt) {
    auto buffer = buffers.find(request.file);
    if (buffer == buffers.end()) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(request.file, error)) {
            if (toldMissing.insert(request.gamePath).second) {
                ReportRefusal(request.gamePath, 0, "not found; the game plays no sound for it");
            }
            return;
        }
        buffer = buffers.emplace(request.file, sf::SoundBuffer()).first;
        if (!buffer->second.loadFromFile(request.file)) {
            buffers.erase(buffer);
            return;
        }
    }
    voices.remove_if([](const sf::Sound& voice) { return voice.getStatus() == sf::Sound::Stopped; });
    if (voices.size() >= kVoices) {
        voices.pop_front();
    }
    voices.emplace_back(buffer->second).play();
    // Quiet from kIdleSeconds after this sound ends.
    const double seconds = buffer->second.getDuration().asSeconds() + kIdleSeconds;
    quietAt = std::max(quietAt, Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                   std::chrono::duration<double>(seconds)));
}
