// Checks the rendered pictures in the built data folder against the frame and bob tables.
#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

const std::string kData = HATCHLING_GAME_DATA;
const std::vector<std::string> kStages = {"Egg",       "SmallBaby", "Baby", "BigBaby", "SmallChick",
                                          "SmallCock", "Chicken",   "Cock", "BigCock", "Flower"};
const std::vector<std::string> kBodies = {"Normal", "Smile", "Bored", "Sick", "Sleep"};

using Table = std::map<std::string, std::map<std::string, int>>;

// Reads "<Stage> <Body> <n> ..." lines; a repeated stage or body shows up as a missing entry count.
Table readTable(const std::string& name, int& records) {
    std::ifstream in(kData + "/Settings/" + name);
    EXPECT_TRUE(in) << name << " is missing";
    Table table;
    records = 0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string stage, body;
        if (!(words >> stage))
            continue;
        ++records;
        int value = 0;
        while (words >> body >> value)
            table[stage][body] = value;
        EXPECT_TRUE(words.eof()) << name << ": stray token in: " << line;
    }
    return table;
}

Table frameTable() {
    int records = 0;
    return readTable("StatePic.list", records);
}

sf::Image load(const std::string& file) {
    sf::Image image;
    EXPECT_TRUE(image.loadFromFile(kData + "/imgs/" + file)) << file;
    return image;
}

bool transparentBorder(const sf::Image& image) {
    const auto [w, h] = image.getSize();
    for (unsigned x = 0; x < w; ++x)
        if (image.getPixel(x, 0).a != 0 || image.getPixel(x, h - 1).a != 0)
            return false;
    for (unsigned y = 0; y < h; ++y)
        if (image.getPixel(0, y).a != 0 || image.getPixel(w - 1, y).a != 0)
            return false;
    return true;
}

double opaqueShare(const sf::Image& image) {
    const auto [w, h] = image.getSize();
    unsigned opaque = 0;
    for (unsigned y = 0; y < h; ++y)
        for (unsigned x = 0; x < w; ++x)
            opaque += image.getPixel(x, y).a == 255;
    return w * h == 0 ? 0.0 : static_cast<double>(opaque) / (w * h);
}

bool samePixels(const sf::Image& a, const sf::Image& b) {
    if (a.getSize() != b.getSize())
        return false;
    for (unsigned y = 0; y < a.getSize().y; ++y)
        for (unsigned x = 0; x < a.getSize().x; ++x)
            if (a.getPixel(x, y) != b.getPixel(x, y))
                return false;
    return true;
}

} // namespace

TEST(Art, TablesCoverEveryStageAndBodyWithSensibleValues) {
    for (const auto& [file, low, high] :
         {std::tuple{"StatePic.list", 1, 3}, std::tuple{"StateMove.list", 1, 5}}) {
        int records = 0;
        const Table table = readTable(file, records);
        EXPECT_EQ(records, 10) << file;
        ASSERT_EQ(table.size(), kStages.size()) << file;
        for (const auto& stage : kStages) {
            ASSERT_TRUE(table.count(stage)) << file << " lacks " << stage;
            EXPECT_EQ(table.at(stage).size(), kBodies.size()) << file << " " << stage;
            for (const auto& body : kBodies) {
                ASSERT_TRUE(table.at(stage).count(body)) << file << " " << stage << " lacks " << body;
                const int value = table.at(stage).at(body);
                EXPECT_GE(value, low) << file << " " << stage << " " << body;
                EXPECT_LE(value, high) << file << " " << stage << " " << body;
            }
        }
    }
}

TEST(Art, EveryDeclaredFrameIsDrawnAndFitsTheWindowWithRoomToBob) {
    const Table frames = frameTable();
    ASSERT_FALSE(frames.empty());
    for (const auto& [stage, bodies] : frames)
        for (const auto& [body, count] : bodies) {
            std::vector<sf::Image> pictures;
            for (int f = 0; f < count; ++f) {
                const std::string name = stage + "_" + body + std::to_string(f) + ".png";
                pictures.push_back(load(name));
                const auto size = pictures.back().getSize();
                EXPECT_GE(size.x, 64u) << name;
                EXPECT_GE(size.y, 64u) << name;
                EXPECT_LE(size.x, 440u) << name;
                EXPECT_LE(size.y, 330u) << name;
                EXPECT_TRUE(transparentBorder(pictures.back())) << name << " touches its edge";
                EXPECT_GT(opaqueShare(pictures.back()), 0.2) << name << " is nearly empty";
            }
            for (std::size_t f = 1; f < pictures.size(); ++f)
                EXPECT_FALSE(samePixels(pictures[f - 1], pictures[f]))
                    << stage << "_" << body << " frames " << f - 1 << " and " << f << " look the same";
        }
}

TEST(Art, StagesAndMoodsLookDistinct) {
    // Each stage must be recognisable: no two stages may share a picture, and the egg is the smallest.
    std::map<std::string, sf::Image> normal;
    for (const auto& stage : kStages)
        normal[stage] = load(stage + "_Normal0.png");
    for (const auto& a : kStages) {
        if (a != "Egg") {
            EXPECT_LT(normal["Egg"].getSize().y, normal[a].getSize().y) << a;
        }
        for (const auto& b : kStages) {
            if (a < b) {
                EXPECT_FALSE(samePixels(normal[a], normal[b])) << a << " looks like " << b;
            }
        }
    }
    // Every mood changes the look of every stage.
    for (const auto& stage : kStages) {
        std::set<std::string> seen;
        for (const auto& body : kBodies) {
            const sf::Image image = load(stage + "_" + body + "0.png");
            for (const auto& other : seen)
                EXPECT_FALSE(samePixels(image, load(stage + "_" + other + "0.png"))) << stage << " " << body;
            seen.insert(body);
        }
    }
}

TEST(Art, FoodMenuAndIconPicturesAreReady) {
    for (const char* food :
         {"Apple", "Corn", "Rice", "Worm", "Fish", "Milk", "Carrot", "Cake", "Candy", "Medicine"}) {
        const sf::Image image = load(std::string(food) + ".png");
        EXPECT_GE(image.getSize().x, 64u) << food;
        EXPECT_LE(image.getSize().x, 96u) << food;
        EXPECT_GE(image.getSize().y, 64u) << food;
        EXPECT_LE(image.getSize().y, 96u) << food;
        EXPECT_TRUE(transparentBorder(image)) << food;
        EXPECT_GT(opaqueShare(image), 0.15) << food;
    }

    const sf::Image icon = load("Icon.png");
    EXPECT_EQ(icon.getSize(), sf::Vector2u(16, 16));
    EXPECT_GT(opaqueShare(icon), 0.3);

    // Black menu text is drawn from (20, 20) down seven lines, so that area must stay light and plain.
    const sf::Image menu = load("Menu.png");
    ASSERT_EQ(menu.getSize(), sf::Vector2u(480, 360));
    for (unsigned y = 20; y < 180; y += 3)
        for (unsigned x = 20; x < 320; x += 3) {
            const sf::Color c = menu.getPixel(x, y);
            ASSERT_EQ(c.a, 255) << x << "," << y;
            ASSERT_GT(0.299 * c.r + 0.587 * c.g + 0.114 * c.b, 200.0)
                << "dark menu pixel at " << x << "," << y;
        }
}
