// artgen: renders Hatchling's pictures from the plain-text sources in assets/art.
//
// Every picture is drawn on a small grid (pixel art) and scaled up by an integer factor.
// Shapes get a one-pixel dark outline automatically, so sources stay short and the
// pictures share one clean style. See assets/art/README.md for the source format.
#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct ArtError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

std::vector<std::string> readLines(const fs::path& path) {
    std::ifstream in(path);
    if (!in)
        throw ArtError("cannot open " + path.string());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool isComment(const std::string& line) {
    const auto first = line.find_first_not_of(" \t");
    return first == std::string::npos || line[first] == '#';
}

sf::Color parseHex(const std::string& hex) {
    if (hex.size() != 7 && hex.size() != 9)
        throw ArtError("bad colour " + hex);
    auto byte = [&](std::size_t at) {
        return static_cast<sf::Uint8>(std::stoi(hex.substr(at, 2), nullptr, 16));
    };
    return {byte(1), byte(3), byte(5), hex.size() == 9 ? byte(7) : sf::Uint8{255}};
}

struct Palette {
    std::map<std::string, sf::Color> byName;
    std::map<char, sf::Color> byChar;
    sf::Color outline;

    sf::Color colour(const std::string& name) const {
        const auto it = byName.find(name);
        if (it == byName.end())
            throw ArtError("unknown colour " + name);
        return it->second;
    }
};

// palette.txt: "<char> <name> #rrggbb[aa]" per line; '.' is always transparent.
Palette loadPalette(const fs::path& path) {
    Palette p;
    p.byChar['.'] = sf::Color::Transparent;
    for (const auto& line : readLines(path)) {
        if (isComment(line))
            continue;
        const auto w = words(line);
        if (w.size() != 3 || w[0].size() != 1)
            throw ArtError(path.string() + ": bad line: " + line);
        p.byChar[w[0][0]] = p.byName[w[1]] = parseHex(w[2]);
    }
    p.outline = p.colour("outline");
    return p;
}

// stamps.txt: "stamp <name>" followed by rows of palette characters, ended by a blank line.
std::map<std::string, std::vector<std::string>> loadStamps(const fs::path& path) {
    std::map<std::string, std::vector<std::string>> stamps;
    std::vector<std::string>* current = nullptr;
    for (const auto& line : readLines(path)) {
        const auto w = words(line);
        if (w.empty()) {
            current = nullptr;
        } else if (w[0] == "stamp" && w.size() == 2) {
            current = &stamps[w[1]];
        } else if (current) {
            current->push_back(w[0]);
        } else if (!isComment(line)) {
            throw ArtError(path.string() + ": row outside a stamp: " + line);
        }
    }
    return stamps;
}

struct Command {
    int lineNo = 0;
    std::vector<std::string> when; // condition items, all must hold
    std::vector<std::string> words;
};

struct ArtFile {
    std::string path;
    std::vector<Command> commands;
};

ArtFile loadArt(const fs::path& path) {
    ArtFile file{path.string(), {}};
    int lineNo = 0;
    for (const auto& line : readLines(path)) {
        ++lineNo;
        if (isComment(line))
            continue;
        Command cmd;
        cmd.lineNo = lineNo;
        std::string rest = line;
        const auto open = line.find_first_not_of(" \t");
        if (line[open] == '[') {
            const auto close = line.find(']', open);
            if (close == std::string::npos)
                throw ArtError(file.path + ":" + std::to_string(lineNo) + ": missing ]");
            cmd.when = words(line.substr(open + 1, close - open - 1));
            rest = line.substr(close + 1);
        }
        cmd.words = words(rest);
        if (!cmd.words.empty())
            file.commands.push_back(std::move(cmd));
    }
    return file;
}

struct Shared {
    Palette palette;
    std::map<std::string, std::vector<std::string>> stamps;
    ArtFile faces;
};

// One picture being drawn: the grid, which pose it shows, and the drawing state.
class Scene {
public:
    Scene(const Shared& shared, std::string body, int frame)
        : shared_(shared), body_(std::move(body)), frame_(frame) {}

    sf::Image render(const ArtFile& file, bool withFace) {
        run(file);
        if (withFace && !faceDrawn_)
            drawFace();
        if (px_.empty())
            throw ArtError(file.path + ": no size given");
        sf::Image img;
        img.create(static_cast<unsigned>(w_ * scale_), static_cast<unsigned>(h_ * scale_),
                   sf::Color::Transparent);
        for (int y = 0; y < h_ * scale_; ++y)
            for (int x = 0; x < w_ * scale_; ++x)
                img.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(y),
                             px_[static_cast<std::size_t>((y / scale_) * w_ + x / scale_)]);
        return img;
    }

private:
    using Inside = std::function<bool(double, double)>;

    bool holds(const std::string& item) const {
        if (item.empty() || item == "*")
            return true;
        if (item[0] == '!')
            return !holds(item.substr(1));
        if (item[0] == '@')
            return tags_.count(item.substr(1)) > 0;
        std::istringstream list(item[0] == ':' ? item.substr(1) : item);
        for (std::string one; std::getline(list, one, ',');)
            if (item[0] == ':' ? std::stoi(one) == frame_ : one == body_)
                return true;
        return false;
    }

    void run(const ArtFile& file) {
        for (const auto& cmd : file.commands) {
            if (!std::all_of(cmd.when.begin(), cmd.when.end(), [&](const auto& item) { return holds(item); }))
                continue;
            try {
                execute(cmd.words);
            } catch (const std::exception& e) {
                throw ArtError(file.path + ":" + std::to_string(cmd.lineNo) + ": " + e.what());
            }
        }
    }

    void drawFace() {
        faceDrawn_ = true;
        const auto saved = std::make_pair(ox_, oy_);
        const bool savedOutline = outline_, savedClip = clip_;
        outline_ = true;
        clip_ = false;
        run(shared_.faces);
        std::tie(ox_, oy_) = saved;
        outline_ = savedOutline;
        clip_ = savedClip;
    }

    double num(const std::vector<std::string>& w, std::size_t i) const {
        if (i >= w.size())
            throw ArtError("missing number in '" + w[0] + "'");
        return std::stod(w[i]);
    }

    void need(const std::vector<std::string>& w, std::size_t n) const {
        if (w.size() < n)
            throw ArtError("'" + w[0] + "' needs " + std::to_string(n - 1) + " arguments");
        if (px_.empty() && w[0] != "size" && w[0] != "scale" && w[0] != "tags" && w[0] != "variant")
            throw ArtError("'size' must come first");
    }

    // Runs one command: a setting, a move of the origin, placed pixels, or else a shape.
    void execute(const std::vector<std::string>& w) {
        need(w, 1);
        if (!setOption(w) && !moveOrigin(w) && !placePixels(w))
            shape(w);
    }

    // The picture's settings; false when w is none of them.
    bool setOption(const std::vector<std::string>& w) {
        const std::string& op = w[0];
        if (op == "size") {
            need(w, 3);
            w_ = static_cast<int>(num(w, 1));
            h_ = static_cast<int>(num(w, 2));
            px_.assign(static_cast<std::size_t>(w_ * h_), sf::Color::Transparent);
        } else if (op == "scale") {
            scale_ = std::max(1, static_cast<int>(num(w, 1)));
        } else if (op == "tags") {
            tags_.insert(w.begin() + 1, w.end());
        } else if (op == "variant") {
            variant_ = w.size() > 1 ? w[1] : "";
        } else if (op == "outline") {
            need(w, 2);
            outline_ = w[1] == "on";
        } else if (op == "clip") {
            need(w, 2);
            clip_ = w[1] == "on";
        } else {
            return false;
        }
        return true;
    }

    // Where the following commands draw, and the anchors they mark; false when w is none of them.
    bool moveOrigin(const std::vector<std::string>& w) {
        const std::string& op = w[0];
        if (op == "origin") {
            need(w, 3);
            ox_ = num(w, 1);
            oy_ = num(w, 2);
        } else if (op == "at") {
            need(w, 2);
            const auto [x, y] = anchor(w[1]);
            ox_ = x + (w.size() > 3 ? num(w, 2) : 0);
            oy_ = y + (w.size() > 3 ? num(w, 3) : 0);
        } else if (op == "anchor") {
            need(w, 4);
            anchors_[w[1]] = {ox_ + num(w, 2), oy_ + num(w, 3)};
        } else {
            return false;
        }
        return true;
    }

    // Stamps, the face and the tint, which colour pixels without a shape; false when w is none of them.
    bool placePixels(const std::vector<std::string>& w) {
        const std::string& op = w[0];
        if (op == "face") {
            need(w, 1);
            drawFace();
        } else if (op == "tint") {
            need(w, 3);
            tint(shared_.palette.colour(w[1]), num(w, 2) / 100.0);
        } else if (op == "stamp") {
            need(w, 4);
            stamp(w[1], ox_ + num(w, 2), oy_ + num(w, 3), w.back() == "flip");
        } else if (op == "put") {
            need(w, 3);
            const auto [x, y] = anchor(w[2]);
            const bool offset = w.size() > 4 && w[3] != "flip";
            stamp(w[1], x + (offset ? num(w, 3) : 0), y + (offset ? num(w, 4) : 0), w.back() == "flip");
        } else {
            return false;
        }
        return true;
    }

    std::pair<double, double> anchor(const std::string& name) const {
        const auto it = anchors_.find(name);
        if (it == anchors_.end())
            throw ArtError("unknown anchor " + name);
        return it->second;
    }

    void shape(const std::vector<std::string>& w) {
        const std::string& op = w[0];
        need(w, 2);
        const sf::Color colour = shared_.palette.colour(w[1]);
        if (op == "oval")
            paint(colour, oval(w));
        else if (op == "box" || op == "rbox")
            paint(colour, box(w));
        else if (op == "poly")
            paint(colour, polygon(w));
        else if (op == "line")
            paint(colour, line(w));
        else
            throw ArtError("unknown command " + op);
    }

    // "oval colour cx cy rx ry [degrees]": an ellipse, turned by the angle.
    Inside oval(const std::vector<std::string>& w) const {
        need(w, 6);
        const double cx = num(w, 2), cy = num(w, 3), rx = num(w, 4), ry = num(w, 5);
        const double a = (w.size() > 6 ? num(w, 6) : 0.0) * 3.14159265358979 / 180.0;
        const double c = std::cos(a), s = std::sin(a);
        return [=](double x, double y) {
            const double u = ((x - cx) * c + (y - cy) * s) / rx, v = (-(x - cx) * s + (y - cy) * c) / ry;
            return u * u + v * v <= 1.0;
        };
    }

    // "box colour x0 y0 x1 y1" and "rbox colour x0 y0 x1 y1 radius": the corner cells are included.
    Inside box(const std::vector<std::string>& w) const {
        const bool rounded = w[0] == "rbox";
        need(w, rounded ? 7 : 6);
        const double x0 = num(w, 2), y0 = num(w, 3), x1 = num(w, 4) + 1, y1 = num(w, 5) + 1;
        const double r = rounded ? num(w, 6) : 0.0;
        return [=](double x, double y) {
            if (x < x0 || x > x1 || y < y0 || y > y1)
                return false;
            const double dx = std::max({x0 + r - x, 0.0, x - (x1 - r)});
            const double dy = std::max({y0 + r - y, 0.0, y - (y1 - r)});
            return dx * dx + dy * dy <= r * r;
        };
    }

    // "poly colour x y x y x y ...": inside by the even-odd rule.
    Inside polygon(const std::vector<std::string>& w) const {
        const auto pts = points(w, 2);
        if (pts.size() < 3)
            throw ArtError("poly needs 3 points");
        return [pts](double x, double y) {
            bool in = false;
            for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
                const auto [xi, yi] = pts[i];
                const auto [xj, yj] = pts[j];
                if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
                    in = !in;
            }
            return in;
        };
    }

    // "line colour width x y x y ...": a stroke of that width through the points, round at the joints.
    Inside line(const std::vector<std::string>& w) const {
        need(w, 7);
        const double half = num(w, 2) / 2.0;
        const auto pts = points(w, 3);
        return [pts, half](double x, double y) {
            for (std::size_t i = 1; i < pts.size(); ++i) {
                const auto [ax, ay] = pts[i - 1];
                const auto [bx, by] = pts[i];
                const double len2 = (bx - ax) * (bx - ax) + (by - ay) * (by - ay);
                const double t =
                    len2 > 0 ? std::clamp(((x - ax) * (bx - ax) + (y - ay) * (by - ay)) / len2, 0.0, 1.0) : 0;
                const double dx = x - (ax + t * (bx - ax)), dy = y - (ay + t * (by - ay));
                if (dx * dx + dy * dy <= half * half)
                    return true;
            }
            return false;
        };
    }

    // The x y pairs from w[from] on; a lone number at the end is ignored.
    std::vector<std::pair<double, double>> points(const std::vector<std::string>& w, std::size_t from) const {
        std::vector<std::pair<double, double>> pts;
        for (std::size_t i = from; i + 1 < w.size(); i += 2)
            pts.emplace_back(num(w, i), num(w, i + 1));
        return pts;
    }

    // Fills the grid cells whose centres lie inside, after ringing them with the outline colour.
    void paint(sf::Color colour, const Inside& inside) {
        std::vector<char> mask(px_.size(), 0);
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                mask[static_cast<std::size_t>(y * w_ + x)] = inside(x + 0.5 - ox_, y + 0.5 - oy_);
        auto at = [&](int x, int y) {
            return x >= 0 && y >= 0 && x < w_ && y < h_ && mask[static_cast<std::size_t>(y * w_ + x)];
        };
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                auto& cell = px_[static_cast<std::size_t>(y * w_ + x)];
                // Clipped shading only lands on what is already drawn, never on the outline.
                if (clip_ && (cell.a == 0 || cell == shared_.palette.outline))
                    continue;
                if (at(x, y))
                    cell = colour;
                else if (outline_ && !clip_ && (at(x - 1, y) || at(x + 1, y) || at(x, y - 1) || at(x, y + 1)))
                    cell = shared_.palette.outline;
            }
    }

    // Copies a hand-placed pixel grid centred on (cx, cy).
    void stamp(const std::string& name, double cx, double cy, bool flip) {
        auto it = shared_.stamps.find(name + "." + variant_);
        if (variant_.empty() || it == shared_.stamps.end())
            it = shared_.stamps.find(name);
        if (it == shared_.stamps.end())
            throw ArtError("unknown stamp " + name);
        const auto& rows = it->second;
        const int sw = static_cast<int>(rows.front().size());
        const int left = static_cast<int>(std::floor(cx)) - sw / 2;
        const int top = static_cast<int>(std::floor(cy)) - static_cast<int>(rows.size()) / 2;
        for (std::size_t r = 0; r < rows.size(); ++r)
            for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) {
                const char ch = rows[r][static_cast<std::size_t>(flip ? sw - 1 - c : c)];
                const auto colour = shared_.palette.byChar.find(ch);
                if (colour == shared_.palette.byChar.end())
                    throw ArtError("stamp " + name + " uses unknown colour character " + std::string(1, ch));
                const int x = left + c, y = top + static_cast<int>(r);
                if (ch != '.' && x >= 0 && y >= 0 && x < w_ && y < h_)
                    px_[static_cast<std::size_t>(y * w_ + x)] = colour->second;
            }
    }

    // Shifts everything but the outline toward a colour; used for the sick look.
    void tint(sf::Color to, double amount) {
        auto mix = [&](sf::Uint8 a, sf::Uint8 b) {
            return static_cast<sf::Uint8>(std::lround(a + (b - a) * amount));
        };
        for (auto& c : px_)
            if (c.a > 0 && c != shared_.palette.outline)
                c = sf::Color(mix(c.r, to.r), mix(c.g, to.g), mix(c.b, to.b), c.a);
    }

    const Shared& shared_;
    std::string body_;
    int frame_;
    std::set<std::string> tags_;
    std::string variant_;
    std::map<std::string, std::pair<double, double>> anchors_;
    std::vector<sf::Color> px_;
    int w_ = 0, h_ = 0, scale_ = 4;
    double ox_ = 0, oy_ = 0;
    bool outline_ = true;
    bool clip_ = false;
    bool faceDrawn_ = false;
};

// StatePic.list: "<Stage> <Body> <frames> <Body> <frames> ..." per line.
using FrameTable = std::vector<std::pair<std::string, std::vector<std::pair<std::string, int>>>>;

FrameTable loadFrameTable(const fs::path& path) {
    FrameTable table;
    for (const auto& line : readLines(path)) {
        const auto w = words(line);
        if (w.empty())
            continue;
        if (w.size() % 2 != 1)
            throw ArtError(path.string() + ": expected a stage and body/count pairs: " + line);
        table.push_back({w[0], {}});
        for (std::size_t i = 1; i < w.size(); i += 2)
            table.back().second.emplace_back(w[i], std::stoi(w[i + 1]));
    }
    return table;
}

// A 3x5 pixel font for contact-sheet labels: '#' marks ink, glyphs for A-Z then 0-9.
constexpr std::array<const char*, 36> kGlyphs = {
    ".#.#.#####.##.#", "##.#.###.#.###.", ".###..#..#...##", "##.#.##.##.###.", "####..##.#..###",
    "####..##.#..#..", ".###..#.##.#.##", "#.##.#####.##.#", "###.#..#..#.###", "..#..#..##.#.#.",
    "#.##.###.#.##.#", "#..#..#..#..###", "#.########.##.#", "##.#.##.##.##.#", ".#.#.##.##.#.#.",
    "##.#.###.#..#..", ".#.#.##.###..##", "##.#.###.#.##.#", ".###...#...###.", "###.#..#..#..#.",
    "#.##.##.##.####", "#.##.##.##.#.#.", "#.##.########.#", "#.##.#.#.#.##.#", "#.##.#.#..#..#.",
    "###..#.#.#..###", "####.##.##.####", ".#.##..#..#.###", "##...#.#.#..###", "##...#.#...###.",
    "#.##.####..#..#", "####..##...###.", ".###..####.####", "###..#.#..#..#.", "####.#####.####",
    "####.####..###."};

void drawLabel(sf::Image& sheet, const std::string& text, unsigned x, unsigned y, unsigned size) {
    for (char ch : text) {
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        const int index = ch >= 'A' && ch <= 'Z' ? ch - 'A' : ch >= '0' && ch <= '9' ? 26 + ch - '0' : -1;
        if (index >= 0) {
            const std::string cells = kGlyphs[static_cast<std::size_t>(index)];
            for (unsigned c = 0; c < 15; ++c)
                if (cells[c] == '#')
                    for (unsigned dy = 0; dy < size; ++dy)
                        for (unsigned dx = 0; dx < size; ++dx)
                            sheet.setPixel(x + (c % 3) * size + dx, y + (c / 3) * size + dy,
                                           sf::Color(40, 40, 60));
        }
        x += 4 * size;
    }
}

struct Picture {
    std::string name;
    sf::Image image;
};

// Lays the pictures out one row per group, each with its name above it, on white like the game window.
void writeContactSheet(const std::vector<std::vector<Picture>>& rows, const fs::path& path) {
    constexpr unsigned pad = 12, label = 5 * 2 + 6;
    unsigned width = 0, height = pad;
    for (const auto& row : rows) {
        unsigned rowWidth = pad, rowHeight = 0;
        for (const auto& pic : row) {
            rowWidth += std::max(pic.image.getSize().x, static_cast<unsigned>(pic.name.size()) * 8) + pad;
            rowHeight = std::max(rowHeight, pic.image.getSize().y);
        }
        width = std::max(width, rowWidth);
        height += rowHeight + label + pad;
    }
    sf::Image sheet;
    sheet.create(width, height, sf::Color::White);
    unsigned y = pad;
    for (const auto& row : rows) {
        unsigned x = pad, rowHeight = 0;
        for (const auto& pic : row) {
            const auto size = pic.image.getSize();
            drawLabel(sheet, pic.name, x, y, 2);
            // A faint frame shows each picture's bounds, so cut-off parts and margins are easy to spot.
            for (unsigned i = 0; i < size.x + 2; ++i) {
                sheet.setPixel(x - 1 + i, y + label - 1, sf::Color(225, 225, 235));
                sheet.setPixel(x - 1 + i, y + label + size.y, sf::Color(225, 225, 235));
            }
            for (unsigned i = 0; i < size.y + 2; ++i) {
                sheet.setPixel(x - 1, y + label - 1 + i, sf::Color(225, 225, 235));
                sheet.setPixel(x + size.x, y + label - 1 + i, sf::Color(225, 225, 235));
            }
            sheet.copy(pic.image, x, y + label, {0, 0, 0, 0}, true);
            x += std::max(size.x, static_cast<unsigned>(pic.name.size()) * 8) + pad;
            rowHeight = std::max(rowHeight, size.y);
        }
        y += rowHeight + label + pad;
    }
    if (!sheet.saveToFile(path.string()))
        throw ArtError("cannot write " + path.string());
}

void save(const sf::Image& image, const fs::path& path) {
    if (!image.saveToFile(path.string()))
        throw ArtError("cannot write " + path.string());
}

// The desktop's icon sizes; each is a whole multiple of the 16-cell icon grid, so the pixel art
// stays crisp at every size.
constexpr std::array<unsigned, 6> kIconSizes = {16, 32, 48, 64, 128, 256};

// Renders every icons/*.art source into <out>/<size>x<size>/apps/<name>.png, the icon theme's layout.
std::size_t renderIcons(const Shared& shared, const fs::path& artDir, const fs::path& outDir) {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(artDir / "icons")) {
        if (entry.path().extension() != ".art")
            continue;
        const sf::Image cells = Scene(shared, "Normal", 0).render(loadArt(entry.path()), false);
        const unsigned side = cells.getSize().x;
        if (side == 0 || cells.getSize().y != side)
            throw ArtError(entry.path().string() + ": an icon must be square");
        for (unsigned size : kIconSizes) {
            if (size % side != 0)
                throw ArtError(entry.path().string() + ": " + std::to_string(size) + " is no multiple of " +
                               std::to_string(side));
            sf::Image icon;
            icon.create(size, size, sf::Color::Transparent);
            const unsigned k = size / side;
            for (unsigned y = 0; y < size; ++y)
                for (unsigned x = 0; x < size; ++x)
                    icon.setPixel(x, y, cells.getPixel(x / k, y / k));
            const fs::path folder = outDir / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
            fs::create_directories(folder);
            save(icon, folder / (entry.path().stem().string() + ".png"));
            ++count;
        }
    }
    return count;
}

// Saves each picture as it comes and keeps it, one row per group, for the contact sheet.
class Gallery {
public:
    explicit Gallery(fs::path folder) : folder_(std::move(folder)) {}

    void startRow() { rows_.emplace_back(); }

    void add(Picture pic) {
        save(pic.image, folder_ / (pic.name + ".png"));
        rows_.back().push_back(std::move(pic));
        ++count_;
    }

    const std::vector<std::vector<Picture>>& rows() const { return rows_; }
    std::size_t count() const { return count_; }

private:
    fs::path folder_;
    std::vector<std::vector<Picture>> rows_;
    std::size_t count_ = 0;
};

// Every frame of every stage's moods, named <Stage>_<Body><frame>; one row per stage.
void renderStages(const Shared& shared, const fs::path& artDir, const fs::path& framesPath,
                  Gallery& gallery) {
    for (const auto& [stage, bodies] : loadFrameTable(framesPath)) {
        const ArtFile source = loadArt(artDir / "stages" / (stage + ".art"));
        gallery.startRow();
        for (const auto& [body, frames] : bodies)
            for (int f = 0; f < frames; ++f)
                gallery.add(
                    {stage + "_" + body + std::to_string(f), Scene(shared, body, f).render(source, true)});
    }
}

// Food and the window's own pictures are single still images named after their source file.
void renderStills(const Shared& shared, const fs::path& folder, Gallery& gallery) {
    std::vector<fs::path> sources;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".art")
            sources.push_back(entry.path());
    std::sort(sources.begin(), sources.end());
    gallery.startRow();
    for (const auto& src : sources)
        gallery.add({src.stem().string(), Scene(shared, "Normal", 0).render(loadArt(src), false)});
}

// What the command line asks for.
struct Request {
    fs::path artDir, outDir, framesPath, sheetPath;
    bool icons = false;
};

// Nothing when the command line is not understood.
std::optional<Request> readCommandLine(const std::vector<std::string>& args) {
    Request request;
    std::vector<fs::path> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--frames" && i + 1 < args.size())
            request.framesPath = args[++i];
        else if (args[i] == "--contact-sheet" && i + 1 < args.size())
            request.sheetPath = args[++i];
        else if (args[i] == "--icons")
            request.icons = true;
        else if (!args[i].empty() && args[i][0] == '-')
            return std::nullopt;
        else
            positional.emplace_back(args[i]);
    }
    if (positional.size() != 2)
        return std::nullopt;
    request.artDir = positional[0];
    request.outDir = positional[1];
    if (request.framesPath.empty())
        request.framesPath = request.artDir / ".." / "Settings" / "StatePic.list";
    return request;
}

void run(const Request& request) {
    const Shared shared{loadPalette(request.artDir / "palette.txt"),
                        loadStamps(request.artDir / "stamps.txt"), loadArt(request.artDir / "faces.art")};
    fs::create_directories(request.outDir);
    if (request.icons) {
        std::cout << "artgen: rendered " << renderIcons(shared, request.artDir, request.outDir)
                  << " icons into " << request.outDir.string() << "\n";
        return;
    }
    Gallery gallery(request.outDir);
    renderStages(shared, request.artDir, request.framesPath, gallery);
    for (const char* group : {"food", "misc"})
        renderStills(shared, request.artDir / group, gallery);
    if (!request.sheetPath.empty())
        writeContactSheet(gallery.rows(), request.sheetPath);
    std::cout << "artgen: rendered " << gallery.count() << " pictures into " << request.outDir.string()
              << "\n";
}

int usage() {
    std::cerr << "usage: artgen [--frames StatePic.list] [--contact-sheet sheet.png] <art folder> <output "
                 "folder>\n"
                 "       artgen --icons <art folder> <output folder>\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const auto request = readCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!request)
        return usage();
    try {
        run(*request);
    } catch (const std::exception& e) {
        std::cerr << "artgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
