// The rendered sounds in the built data folder, and soundgen itself.
#include "presentation/Sounds.h"
#include "support/Seams.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The samples of a 44100 Hz 16-bit mono PCM file as soundgen writes it; empty when it is not one.
std::vector<int> Samples(const std::string& wave) {
    const auto word = [&](std::size_t at, int bytes) {
        std::uint32_t value = 0;
        for (int i = bytes - 1; i >= 0; --i) {
            value = value << 8 | std::uint8_t(wave[at + i]);
        }
        return value;
    };
    if (wave.size() < 44 || wave.compare(0, 4, "RIFF") || wave.compare(8, 8, "WAVEfmt ") ||
        word(20, 2) != 1 || word(22, 2) != 1 || word(24, 4) != 44100 || word(34, 2) != 16 ||
        wave.compare(36, 4, "data") || word(40, 4) != wave.size() - 44) {
        return {};
    }
    std::vector<int> samples;
    for (std::size_t at = 44; at < wave.size(); at += 2) {
        samples.push_back(static_cast<std::int16_t>(word(at, 2)));
    }
    return samples;
}

int Loudest(const std::vector<int>& s, std::size_t from, std::size_t to) {
    int loudest = 0;
    for (std::size_t i = from; i < to && i < s.size(); ++i) {
        loudest = std::max(loudest, std::abs(s[i]));
    }
    return loudest;
}
} // namespace

TEST(Sounds, EverySoundTheGamePlaysIsShortFadedAndBelowMinus3dBFS) {
    const std::vector<std::string> names = Sounds::Names();
    EXPECT_EQ(names.size(), 12u); // hatching to greeting, three of them for the turns
    for (const std::string& name : names) {
        const std::vector<int> s =
            Samples(ReadAll(fs::path(HATCHLING_GAME_DATA) / "sounds" / (name + ".wav")));
        ASSERT_FALSE(s.empty()) << name << ".wav is missing or not 16-bit mono PCM at 44100 Hz";
        EXPECT_LE(s.size(), 44100u * 12 / 10) << name;
        const int peak = Loudest(s, 0, s.size());
        EXPECT_LE(peak, 23197) << name; // -3 dBFS
        EXPECT_GT(peak, 2000) << name;
        // Fades: silent at both ends, still soft 2 ms in and 2 ms before the end.
        EXPECT_LE(std::abs(s.front()) + std::abs(s.back()), 2) << name;
        EXPECT_LT(Loudest(s, 0, 88), peak / 2) << name << " starts abruptly";
        EXPECT_LT(Loudest(s, s.size() - 88, s.size()), peak / 20) << name << " stops abruptly";
    }
    EXPECT_EQ(Sounds::For({happenings::Kind::Hatched, "Egg"}), "Hatched");
    EXPECT_EQ(Sounds::For({happenings::Kind::Grew, "Baby"}), "Grew");
}

TEST(Sounds, SoundgenGivesTheSameBytesAgainAndRefusesTooLongOrTooLoudSources) {
    const fs::path out = fs::temp_directory_path() / ("soundgen-test-" + std::to_string(::getpid()));
    const std::string tool = std::string(HATCHLING_SOUNDGEN) + " ";
    ASSERT_EQ(std::system(
                  (tool + HATCHLING_SOUND_SOURCES + " " + (out / "again").string() + " >/dev/null").c_str()),
              0);
    for (const std::string& name : Sounds::Names()) {
        EXPECT_EQ(ReadAll(out / "again" / (name + ".wav")),
                  ReadAll(fs::path(HATCHLING_GAME_DATA) / "sounds" / (name + ".wav")))
            << name;
    }
    for (const char* wrong : {"length 1.5\nfade 0.01 0.1\n", "length 1\npeak -1\nfade 0.01 0.1\n",
                              "length 1\nfade 0.001 0.1\n", "length 1\nfade 0.01 0.1\nbox 0 H9\n"}) {
        fs::create_directories(out / "wrong");
        std::ofstream(out / "wrong" / "Bad.snd") << wrong << "box 0.1 C6\n";
        EXPECT_NE(
            std::system(
                (tool + (out / "wrong").string() + " " + (out / "bad").string() + " 2>/dev/null").c_str()),
            0)
            << wrong;
    }
    fs::remove_all(out);
}

// The game ends by letting go of its sounds; the helper must have left the audio library by then,
// however slow its device is to open: the library's teardown at exit would run under it. Here the
// device writes into a FIFO, whose opening waits a second for its reader.
TEST(Sounds, LettingGoWaitsUntilTheHelperHasLeftTheAudioLibrary) {
    using namespace std::chrono_literals;
    const fs::path folder = fs::temp_directory_path() / ("sounds-exit-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path fifo = folder / "out.wav";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::ofstream(folder / "al.conf") << "[general]\ndrivers=wave\n[wave]\nfile=" << fifo.string() << "\n";
    ::setenv("ALSOFT_CONF", (folder / "al.conf").c_str(), 1);
    paths::SetLayers({folder.string(), HATCHLING_GAME_DATA});
    const auto threads = [] {
        const auto tasks = fs::directory_iterator("/proc/self/task");
        return std::distance(fs::begin(tasks), fs::end(tasks));
    };
    const auto before = threads();
    std::atomic<bool> done = false;
    std::thread reader([&] {
        std::this_thread::sleep_for(1s);
        const int fd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
        for (char sink[4096]; !done;) {
            if (::read(fd, sink, sizeof sink) <= 0) {
                std::this_thread::sleep_for(5ms);
            }
        }
        ::close(fd);
    });
    {
        Sounds sounds(true);
        sounds.Play("Fed");
        std::this_thread::sleep_for(200ms); // the helper now waits for its device
    }
    EXPECT_EQ(threads(), before + 1) << "a helper is still inside the audio library";
    done = true;
    reader.join();
    paths::SetLayers({});
    fs::remove_all(folder);
}
