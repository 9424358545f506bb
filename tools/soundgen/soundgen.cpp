// soundgen: renders Hatchling's sounds from the plain-text sources in assets/sounds.
//
// Each sound is a few voices of one family: music-box tines (a struck tone with a metallic
// ping that dies away) and a chick's peeps (a gliding, almost pure tone). The whole sound is
// faded in and out and scaled to a chosen peak, then written as 16-bit mono PCM. See
// assets/sounds/README.md for the source format.
//
// The same sources must give the same bytes on every build and machine, so the rendering uses
// only the four basic operations of double arithmetic (exactly rounded everywhere) and its own
// sine and exponential instead of the maths library's, and nothing random.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kRate = 44100;
constexpr double kLongest = 1.2;  // seconds
constexpr double kLoudest = -3.0; // dBFS
// A fade-in shorter than this clicks; a fade-out shorter than that cuts a ringing note.
constexpr double kShortestFadeIn = 0.005, kShortestFadeOut = 0.05;
// Partials above this only hiss: a small music box has nothing up there worth hearing.
constexpr double kHighest = 10000;
constexpr double kPi = 3.14159265358979323846;
constexpr double kLn2 = 0.69314718055994530942;
constexpr double kLn10 = 2.30258509299404568402;

struct SoundError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// e^x: the series for x / 2^k, squared k times.
double Exp(double x) {
    int halvings = 0;
    while (x > 0.5 || x < -0.5) {
        x /= 2;
        ++halvings;
    }
    double term = 1, sum = 1;
    for (int n = 1; n < 20; ++n) {
        term = term * x / n;
        sum += term;
    }
    while (halvings-- > 0) {
        sum *= sum;
    }
    return sum;
}

// sin(2 pi turns), by folding into a quarter turn and its series.
double SinTurns(double turns) {
    turns -= static_cast<double>(static_cast<long long>(turns));
    if (turns < 0) {
        turns += 1;
    }
    double sign = 1;
    if (turns >= 0.5) {
        turns -= 0.5;
        sign = -1;
    }
    if (turns > 0.25) {
        turns = 0.5 - turns;
    }
    const double x = 2 * kPi * turns, x2 = x * x;
    double term = x, sum = x;
    for (int n = 1; n < 10; ++n) {
        term = -term * x2 / ((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sign * sum;
}

// A raised-cosine step from 0 to 1 as `share` goes from 0 to 1.
double Ease(double share) {
    share = std::clamp(share, 0.0, 1.0);
    return 0.5 - 0.5 * SinTurns(0.25 + share / 2);
}

// A pitch: hertz ("2600") or a note name with octave ("C6", "F#5", "Bb4"; A4 = 440 Hz).
double Pitch(const std::string& word) {
    if (!word.empty() && word[0] >= 'A' && word[0] <= 'G') {
        static const std::map<char, int> steps{{'C', -9}, {'D', -7}, {'E', -5}, {'F', -4},
                                               {'G', -2}, {'A', 0},  {'B', 2}};
        int semitones = steps.at(word[0]);
        std::size_t at = 1;
        if (at < word.size() && (word[at] == '#' || word[at] == 'b')) {
            semitones += word[at] == '#' ? 1 : -1;
            ++at;
        }
        if (at + 1 != word.size() || word[at] < '0' || word[at] > '8') {
            throw SoundError("bad note " + word);
        }
        semitones += 12 * (word[at] - '4');
        return 440 * Exp(kLn2 * semitones / 12);
    }
    std::istringstream in(word);
    double hertz = 0;
    if (!(in >> hertz) || !in.eof() || hertz < 20 || hertz > 10000) {
        throw SoundError("bad pitch " + word + " (a note like C6, or hertz from 20 to 10000)");
    }
    return hertz;
}

double Number(const std::string& word, double low, double high, const std::string& what) {
    std::istringstream in(word);
    double value = 0;
    if (!(in >> value) || !in.eof() || value < low || value > high) {
        std::ostringstream message;
        message << "bad " << what << " " << word << " (from " << low << " to " << high << ")";
        throw SoundError(message.str());
    }
    return value;
}

struct Sound {
    double length = 0, peak = -6, fadeIn = 0, fadeOut = 0;
    std::vector<double> samples;
};

// A music-box tine: the fundamental, a soft octave and the short metallic ping of a steel
// tongue (its second bending mode, 6.27 times the fundamental), each dying away at its own pace.
void Tine(Sound& sound, double at, double hertz, double level, double decay) {
    struct Partial {
        double ratio, level, decay;
    };
    const Partial partials[] = {{1.0, 1.0, 1.0}, {2.0, 0.16, 0.45}, {6.27, 0.09, 0.12}};
    const auto first = static_cast<std::size_t>(at * kRate);
    const std::size_t attack = kRate * 3 / 1000;
    for (const Partial& p : partials) {
        const double hz = hertz * p.ratio;
        if (hz > kHighest) {
            continue;
        }
        const double fall = Exp(-1.0 / (decay * p.decay * kRate));
        double envelope = level * p.level;
        for (std::size_t i = first, n = 0; i < sound.samples.size(); ++i, ++n) {
            const double rise = n < attack ? Ease(static_cast<double>(n) / attack) : 1.0;
            sound.samples[i] += rise * envelope * SinTurns(hz * n / kRate);
            envelope *= fall;
        }
    }
}

// A chick's peep: a near-pure tone with a little of its octave, gliding through the given
// pitches (evenly spaced in time, eased between them), swelling quickly and fading slowly.
void Peep(Sound& sound, double at, double length, const std::vector<double>& pitches, double level) {
    const auto first = static_cast<std::size_t>(at * kRate);
    const auto count = static_cast<std::size_t>(length * kRate);
    double phase = 0;
    for (std::size_t n = 0; n < count && first + n < sound.samples.size(); ++n) {
        const double share = static_cast<double>(n) / count;
        const double leg = share * (pitches.size() - 1);
        const auto from = std::min(static_cast<std::size_t>(leg), pitches.size() - 2);
        const double hz = pitches[from] + (pitches[from + 1] - pitches[from]) * Ease(leg - from);
        phase += hz / kRate;
        phase -= static_cast<double>(static_cast<long long>(phase));
        const double swell = share < 0.2 ? Ease(share / 0.2) : Ease((1 - share) / 0.8);
        sound.samples[first + n] +=
            level * swell * (SinTurns(phase) + 0.12 * SinTurns(2 * phase) + 0.03 * SinTurns(3 * phase));
    }
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) {
        words.push_back(w);
    }
    return words;
}

// Reads "level L" and "decay D" pairs after a voice's fixed words.
std::map<std::string, double> Options(const std::vector<std::string>& words, std::size_t from) {
    std::map<std::string, double> options;
    for (std::size_t i = from; i < words.size(); i += 2) {
        if (i + 1 == words.size() || (words[i] != "level" && words[i] != "decay")) {
            throw SoundError("unexpected \"" + words[i] + "\" (only level and decay follow)");
        }
        options[words[i]] =
            Number(words[i + 1], words[i] == "level" ? 0.0 : 0.01, words[i] == "level" ? 1.0 : 5.0, words[i]);
    }
    return options;
}

// An option's value, or what a line that leaves it out means.
double OptionOr(const std::map<std::string, double>& options, const std::string& name, double otherwise) {
    const auto it = options.find(name);
    return it == options.end() ? otherwise : it->second;
}

// "box START PITCH [level L] [decay D]"
void AddTine(Sound& sound, const std::vector<std::string>& w) {
    const auto options = Options(w, 3);
    Tine(sound, Number(w[1], 0, sound.length, "start"), Pitch(w[2]), OptionOr(options, "level", 1.0),
         OptionOr(options, "decay", 0.4));
}

// "peep START LENGTH PITCH PITCH... [level L]"
void AddPeep(Sound& sound, const std::vector<std::string>& w) {
    std::size_t end = 3;
    std::vector<double> pitches;
    for (; end < w.size() && w[end] != "level"; ++end) {
        pitches.push_back(Pitch(w[end]));
    }
    const auto options = Options(w, end);
    if (pitches.size() < 2) {
        throw SoundError("a peep glides between two pitches or more");
    }
    if (options.count("decay")) {
        throw SoundError("a peep has no decay");
    }
    Peep(sound, Number(w[1], 0, sound.length, "start"), Number(w[2], 0.01, 1, "peep length"), pitches,
         OptionOr(options, "level", 1.0));
}

// One line of a source: a setting or a voice; blank and comment lines change nothing.
void ReadLine(Sound& sound, const std::string& line) {
    const std::vector<std::string> w = Words(line);
    if (w.empty() || w[0][0] == '#') {
        return;
    }
    const bool voice = w[0] == "box" || w[0] == "peep";
    if (voice && sound.length == 0) {
        throw SoundError("voices come after the length line");
    }
    if (w[0] == "length" && w.size() == 2) {
        sound.length = Number(w[1], 0.05, kLongest, "length");
        sound.samples.assign(static_cast<std::size_t>(sound.length * kRate), 0.0);
    } else if (w[0] == "peak" && w.size() == 2) {
        sound.peak = Number(w[1], -40, kLoudest, "peak");
    } else if (w[0] == "fade" && w.size() == 3) {
        sound.fadeIn = Number(w[1], kShortestFadeIn, 0.5, "fade-in");
        sound.fadeOut = Number(w[2], kShortestFadeOut, 0.5, "fade-out");
    } else if (w[0] == "box" && w.size() >= 3) {
        AddTine(sound, w);
    } else if (w[0] == "peep" && w.size() >= 5) {
        AddPeep(sound, w);
    } else {
        throw SoundError("cannot read \"" + line + "\"");
    }
}

Sound Render(const fs::path& source) {
    std::ifstream in(source);
    if (!in) {
        throw SoundError("cannot open " + source.string());
    }
    Sound sound;
    int number = 0;
    try {
        for (std::string line; std::getline(in, line);) {
            ++number;
            ReadLine(sound, line);
        }
    } catch (const SoundError& e) {
        throw SoundError(source.string() + " line " + std::to_string(number) + ": " + e.what());
    }
    if (sound.length == 0 || sound.fadeIn == 0) {
        throw SoundError(source.string() + ": needs a length and a fade line");
    }
    return sound;
}

// Fades the ends, scales the loudest sample to the peak and quantises.
std::vector<std::int16_t> Finish(Sound& sound) {
    const std::size_t size = sound.samples.size();
    const auto in = static_cast<std::size_t>(sound.fadeIn * kRate);
    const auto out = static_cast<std::size_t>(sound.fadeOut * kRate);
    double loudest = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (i < in) {
            sound.samples[i] *= Ease(static_cast<double>(i) / in);
        }
        if (size - i <= out) {
            sound.samples[i] *= Ease(static_cast<double>(size - 1 - i) / out);
        }
        loudest = std::max({loudest, sound.samples[i], -sound.samples[i]});
    }
    if (loudest == 0) {
        throw SoundError("the sound is silent");
    }
    const double scale = Exp(kLn10 * sound.peak / 20) * 32767 / loudest;
    std::vector<std::int16_t> pcm(size);
    for (std::size_t i = 0; i < size; ++i) {
        const double v = sound.samples[i] * scale;
        pcm[i] = static_cast<std::int16_t>(v < 0 ? -static_cast<long>(0.5 - v) : static_cast<long>(v + 0.5));
    }
    return pcm;
}

void WriteWave(const fs::path& path, const std::vector<std::int16_t>& pcm) {
    std::string bytes;
    auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    };
    const auto data = static_cast<std::uint32_t>(2 * pcm.size());
    bytes += "RIFF";
    put(36 + data, 4);
    bytes += "WAVEfmt ";
    put(16, 4);
    put(1, 2); // PCM
    put(1, 2); // mono
    put(kRate, 4);
    put(2 * kRate, 4);
    put(2, 2);
    put(16, 2);
    bytes += "data";
    put(data, 4);
    for (std::int16_t s : pcm) {
        put(static_cast<std::uint16_t>(s), 2);
    }
    std::ofstream file(path, std::ios::binary);
    if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        throw SoundError("cannot write " + path.string());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: soundgen <sound sources folder> <output folder>\n"
                     "renders every NAME.snd into NAME.wav\n";
        return 2;
    }
    try {
        std::vector<fs::path> sources;
        for (const auto& entry : fs::directory_iterator(argv[1])) {
            if (entry.path().extension() == ".snd") {
                sources.push_back(entry.path());
            }
        }
        std::sort(sources.begin(), sources.end());
        fs::create_directories(argv[2]);
        for (const fs::path& source : sources) {
            Sound sound = Render(source);
            WriteWave(fs::path(argv[2]) / (source.stem().string() + ".wav"), Finish(sound));
        }
        std::cout << "soundgen: rendered " << sources.size() << " sounds into " << argv[2] << "\n";
    } catch (const std::exception& e) {
        std::cerr << "soundgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
