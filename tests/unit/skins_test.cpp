// The committed skins: exactly what tools/skins draws, cut to the sizes the
// editor expects, with every state of every control drawn.
#include "canvas.h"
#include "tempfolder.h"
#include "tools/skins/skinstyle.h"
#include "tools/skins/skinwriter.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path committed = fs::path(VEX_SOURCE_DIR) / "skins";

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Surface load(const fs::path& file)
{
    return Surface(cairo_image_surface_create_from_png(file.string().c_str()), cairo_surface_destroy);
}

bool loaded(const Surface& s)
{
    return s && cairo_surface_status(s.get()) == CAIRO_STATUS_SUCCESS;
}

int width(const Surface& s)
{
    return cairo_image_surface_get_width(s.get());
}

int height(const Surface& s)
{
    return cairo_image_surface_get_height(s.get());
}

// The image, or none with a failure when it is missing or not w by h.
Surface sized(const fs::path& file, int w, int h)
{
    Surface s = load(file);
    if (loaded(s) && width(s) == w && height(s) == h)
        return s;
    ADD_FAILURE() << file << " is missing or not " << w << " by " << h;
    return Surface(nullptr, cairo_surface_destroy);
}

// Premultiplied ARGB.
std::uint32_t pixel(const Surface& s, int x, int y)
{
    const unsigned char* row = cairo_image_surface_get_data(s.get()) + y * cairo_image_surface_get_stride(s.get());
    return reinterpret_cast<const std::uint32_t*>(row)[x];
}

std::string hex(std::uint32_t v)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(v));
    return text;
}

// Where the w by h areas at (ax, ay) and (bx, by) first differ by more than
// tolerance in a channel, as text; "" when they agree.
std::string firstDifference(const Surface& a, int ax, int ay, const Surface& b, int bx, int by, int w, int h,
                            int tolerance = 0)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = pixel(a, ax + x, ay + y), q = pixel(b, bx + x, by + y);
            if (channelDistance(p, q) > tolerance)
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + "): " + hex(p) + " against " + hex(q);
        }
    return "";
}

bool sameArea(const Surface& s, int ax, int ay, int bx, int by, int w, int h)
{
    return firstDifference(s, ax, ay, s, bx, by, w, h).empty();
}

// How far the picture in the 24 x 24 cell at (x, y) climbs from its left
// quarter to its right quarter, in rows (negative: higher on the right).
// Its ink is what differs from the cell's most common colour.
double inkRise(const Surface& s, int x, int y)
{
    std::map<std::uint32_t, int> colours;
    for (int j = 3; j < 21; ++j)
        for (int i = 3; i < 21; ++i)
            ++colours[pixel(s, x + i, y + j)];
    const std::uint32_t ground =
        std::max_element(colours.begin(), colours.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    const auto meanRow = [&](int from, int to) {
        double rows = 0.0, count = 0.0;
        for (int j = 3; j < 21; ++j)
            for (int i = from; i < to; ++i) {
                if (channelDistance(pixel(s, x + i, y + j) & 0xFFFFFF, ground & 0xFFFFFF) > 48) {
                    rows += j;
                    count += 1.0;
                }
            }
        return count > 0.0 ? rows / count : 0.0;
    };
    return meanRow(15, 21) - meanRow(3, 9);
}

std::vector<std::string> listing(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code missing;
    for (const auto& entry : fs::directory_iterator(folder, missing))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string contents(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> skinNames()
{
    std::vector<std::string> names;
    for (const Skinstyle& style : Skinstyle::all())
        names.push_back(style.name);
    return names;
}

} // namespace

TEST(Skins, CommittedSkinsAreTheGeneratorsDrawing)
{
    Tempfolder dir;
    const fs::path drawn = fs::path(dir.path()) / "skins";
    for (const Skinstyle& style : Skinstyle::all())
        ASSERT_EQ(Skinwriter::write(style, drawn.string()), "");
    for (const std::string& skin : skinNames()) {
        ASSERT_EQ(listing(drawn / skin), Skinwriter::fileNames());
        ASSERT_EQ(listing(committed / skin), Skinwriter::fileNames()) << "run: skins skins";
        for (const std::string& name : Skinwriter::fileNames()) {
            const fs::path file = fs::path(skin) / name;
            if (fs::path(name).extension() != ".png") {
                EXPECT_EQ(contents(drawn / file), contents(committed / file)) << file;
                continue;
            }
            const Surface ours = load(drawn / file), theirs = load(committed / file);
            ASSERT_TRUE(loaded(ours) && loaded(theirs)) << file;
            ASSERT_EQ(width(ours), width(theirs)) << file;
            ASSERT_EQ(height(ours), height(theirs)) << file;
            EXPECT_EQ(firstDifference(ours, 0, 0, theirs, 0, 0, width(ours), height(ours)), "")
                << file << " differs from the committed one";
        }
    }
}

TEST(Skins, ImagesHaveTheSizesTheEditorCutsThemBy)
{
    const std::map<std::string, std::pair<int, int>> sizes = {
        {"background.png", {800, 380}},    {"aboutbox.png", {800, 380}},      {"blobs.png", {112, 32}},
        {"vol_slider.png", {40, 32}},      {"knob.png", {34, 3434}},          {"text-bg.png", {160, 12}},
        {"mode-select.png", {72, 48}},     {"mode-lo-select.png", {72, 48}},  {"mode-hi-select.png", {72, 48}},
        {"st-m-lr.png", {38, 76}},         {"db-line.png", {724, 1}},         {"freqscale.png", {645, 11}},
        {"mode-lo-slopes.png", {72, 144}}, {"mode-hi-slopes.png", {72, 144}},
    };
    for (const std::string& skin : skinNames()) {
        for (auto [name, size] : sizes) {
            const Surface s = load(committed / skin / name);
            ASSERT_TRUE(loaded(s)) << skin << "/" << name;
            // Blended images need their alpha; the opaque panel may be stored without.
            if (name != "background.png") {
                EXPECT_EQ(cairo_image_surface_get_format(s.get()), CAIRO_FORMAT_ARGB32) << skin << "/" << name;
            }
            EXPECT_EQ(std::make_pair(width(s), height(s)), size) << skin << "/" << name;
        }
        for (int b = 1; b <= 7; ++b) {
            const Surface s = load(committed / skin / ("button-" + std::to_string(b) + ".png"));
            EXPECT_EQ(std::make_pair(width(s), height(s)), std::make_pair(36, 36)) << skin << " button " << b;
        }
        const Surface numbers = load(committed / skin / "db-numbers.png");
        EXPECT_EQ(height(numbers), 150) << skin;
        EXPECT_TRUE(width(numbers) >= 18 && width(numbers) <= 22) << skin;
        const Surface font = load(committed / skin / "font.png");
        EXPECT_EQ(width(font), 96 * 6) << skin;
        EXPECT_TRUE(height(font) == 8 || height(font) == 9) << skin;

        // The panel hides everything behind it; the about box leaves the
        // editor visible around its card.
        const Surface panel = sized(committed / skin / "background.png", 800, 380);
        ASSERT_TRUE(panel);
        for (int y = 0; y < 380; ++y)
            for (int x = 0; x < 800; ++x)
                ASSERT_EQ(pixel(panel, x, y) >> 24, 255u) << skin << " background at " << x << ", " << y;
        const Surface about = sized(committed / skin / "aboutbox.png", 800, 380);
        ASSERT_TRUE(about);
        EXPECT_EQ(pixel(about, 0, 0) >> 24, 0u) << skin;
        EXPECT_EQ(pixel(about, 799, 379) >> 24, 0u) << skin;
        EXPECT_EQ(pixel(about, 400, 190) >> 24, 255u) << skin;
    }
}

TEST(Skins, EveryCharacterHasAGlyphOfItsOwn)
{
    for (const std::string& skin : skinNames()) {
        const Surface font = load(committed / skin / "font.png");
        ASSERT_TRUE(loaded(font) && width(font) == 96 * 6) << skin;
        std::map<std::string, char> shapes;
        for (int code = 32; code < 127; ++code) {
            std::string shape;
            for (int y = 0; y < height(font); ++y)
                for (int x = 0; x < 6; ++x)
                    shape += pixel(font, 6 * (code - 32) + x, y) >> 24 > 127 ? '#' : '.';
            EXPECT_EQ(shape.back(), '.') << skin << ": the glyph of '" << char(code) << "' fills its cell's gap";
            if (code == ' ') {
                EXPECT_EQ(shape.find('#'), std::string::npos) << skin;
                continue;
            }
            EXPECT_NE(shape.find('#'), std::string::npos) << skin << ": '" << char(code) << "' is blank";
            const auto [twin, fresh] = shapes.emplace(shape, static_cast<char>(code));
            EXPECT_TRUE(fresh) << skin << ": '" << char(code) << "' looks like '" << twin->second << "'";
        }
    }
}

TEST(Skins, KnobTurnsEveryFrameAndSweepsSymmetrically)
{
    for (const std::string& skin : skinNames()) {
        const Surface knob = sized(committed / skin / "knob.png", 34, 34 * 101);
        ASSERT_TRUE(knob);
        for (int k = 1; k <= 100; ++k)
            EXPECT_FALSE(sameArea(knob, 0, 34 * (k - 1), 0, 34 * k, 34, 34)) << skin << " frame " << k;
        // Value v and 1 - v point to mirrored places, the middle straight up;
        // the edges of circles differ a little from side to side.
        const int mirrored[] = {0, 25, 50};
        for (int k : mirrored) {
            int worst = 0;
            for (int y = 0; y < 34; ++y)
                for (int x = 0; x < 34; ++x) {
                    const std::uint32_t p = pixel(knob, x, 34 * k + y), q = pixel(knob, 33 - x, 34 * (100 - k) + y);
                    worst = std::max(worst, std::abs(static_cast<int>(p >> 24) - static_cast<int>(q >> 24)));
                }
            EXPECT_LE(worst, 32) << skin << ": frames " << k << " and " << 100 - k << " are not mirror images";
        }
    }
}

TEST(Skins, EveryControlShowsEachOfItsStates)
{
    for (const std::string& skin : skinNames()) {
        const fs::path folder = committed / skin;
        for (int b = 1; b <= 7; ++b) {
            const Surface button = sized(folder / ("button-" + std::to_string(b) + ".png"), 36, 36);
            ASSERT_TRUE(button);
            EXPECT_FALSE(sameArea(button, 0, 0, 0, 18, 36, 18)) << skin << ": button " << b << " does not light";
        }
        const Surface blobs = sized(folder / "blobs.png", 112, 32);
        ASSERT_TRUE(blobs);
        for (int b = 0; b < 7; ++b) {
            EXPECT_FALSE(sameArea(blobs, 16 * b, 0, 16 * b, 16, 16, 16)) << skin << ": handle " << b + 1;
            if (b > 0) {
                EXPECT_FALSE(sameArea(blobs, 0, 0, 16 * b, 0, 16, 16)) << skin << ": handle " << b + 1;
            }
        }
        for (const char* name : {"mode-lo-select.png", "mode-select.png", "mode-hi-select.png"}) {
            const Surface types = sized(folder / name, 72, 48);
            ASSERT_TRUE(types);
            for (int k = 0; k < 3; ++k)
                EXPECT_FALSE(sameArea(types, 24 * k, 0, 24 * k, 24, 24, 24)) << skin << "/" << name << " " << k;
        }
        const Surface outputs = sized(folder / "st-m-lr.png", 38, 76);
        ASSERT_TRUE(outputs);
        for (int k = 0; k < 4; ++k) {
            const int x = 19 * (k % 2), y = 19 * (k / 2);
            EXPECT_FALSE(sameArea(outputs, x, y, x, y + 38, 19, 19)) << skin << ": output " << k;
        }
        // Each slope shows its own pass filter, and only there: the other
        // segments are the plain strip's.
        for (const auto& [name, plain, pass] :
             {std::tuple<const char*, const char*, int>{"mode-lo-slopes.png", "mode-lo-select.png", 0},
              {"mode-hi-slopes.png", "mode-hi-select.png", 2}}) {
            const Surface slopes = sized(folder / name, 72, 144), types = sized(folder / plain, 72, 48);
            ASSERT_TRUE(slopes && types);
            for (int step = 0; step < 3; ++step)
                for (int k = 0; k < 3; ++k)
                    EXPECT_EQ(firstDifference(slopes, 24 * k, 48 * step, types, 24 * k, 0, 24, 48).empty(), k != pass)
                        << skin << "/" << name << " " << step << " " << k;
        }
        // The three band-type strips show different sets of filters.
        const Surface low = sized(folder / "mode-lo-select.png", 72, 48),
                      middle = sized(folder / "mode-select.png", 72, 48),
                      high = sized(folder / "mode-hi-select.png", 72, 48);
        ASSERT_TRUE(low && middle && high);
        EXPECT_NE(firstDifference(low, 0, 0, middle, 0, 0, 24, 48), "") << skin;
        EXPECT_NE(firstDifference(high, 48, 0, middle, 48, 0, 24, 48), "") << skin;
        EXPECT_EQ(firstDifference(low, 24, 0, middle, 24, 0, 24, 48), "") << skin << ": both bells alike";
        // Type 0 is the high-pass or the shelf of the high end: its picture
        // rises to the right. Type 2, the shelf of the low end or the
        // low-pass, falls.
        for (const Surface* strip : {&low, &middle, &high})
            for (int row : {0, 24}) {
                EXPECT_LT(inkRise(*strip, 0, row), -3.0) << skin << ": type 0 in row " << row;
                EXPECT_GT(inkRise(*strip, 48, row), 3.0) << skin << ": type 2 in row " << row;
            }
    }
}

TEST(Skins, ColoursNameEveryBandAndTheSum)
{
    for (const std::string& skin : skinNames()) {
        std::istringstream in(contents(committed / skin / "colors.txt"));
        std::map<std::string, std::vector<int>> colours;
        std::string line;
        while (std::getline(in, line)) {
            const std::size_t colon = line.find(':');
            ASSERT_NE(colon, std::string::npos) << line;
            std::istringstream values(line.substr(colon + 1));
            std::vector<int> argb;
            for (std::string v; std::getline(values, v, ',');)
                argb.push_back(std::stoi(v));
            ASSERT_EQ(argb.size(), 4u) << line;
            for (int v : argb)
                EXPECT_TRUE(v >= 0 && v <= 255) << line;
            colours[line.substr(0, colon)] = argb;
        }
        ASSERT_EQ(colours.size(), 16u) << skin;
        std::set<std::vector<int>> distinct;
        for (int b = 1; b <= 7; ++b) {
            const auto band = colours.find("band-" + std::to_string(b));
            ASSERT_NE(band, colours.end()) << skin << " band " << b;
            EXPECT_TRUE(band->second[0] >= 90 && band->second[0] <= 140) << skin << " band " << b << " opacity";
            distinct.insert(band->second);
        }
        EXPECT_EQ(distinct.size(), 7u) << skin;
        ASSERT_EQ(colours.count("main"), 1u) << skin;
        EXPECT_EQ(colours["main"][0], 255) << skin;
        // The analyzer's fills stay faint behind the curves; their lines are
        // three times as opaque.
        for (const char* key : {"analyzer-in", "analyzer-out"}) {
            ASSERT_EQ(colours.count(key), 1u) << skin << " " << key;
            EXPECT_TRUE(colours[key][0] >= 24 && colours[key][0] <= 85) << skin << " " << key << " opacity";
        }
        // The channels' sums are opaque and tell apart from each other and the stereo sum.
        std::set<std::vector<int>> sums = {colours["main"]};
        for (const char* key : {"left", "right", "mid", "side"}) {
            ASSERT_EQ(colours.count(key), 1u) << skin << " " << key;
            EXPECT_EQ(colours[key][0], 255) << skin << " " << key;
            sums.insert(colours[key]);
        }
        EXPECT_EQ(sums.size(), 5u) << skin;
        // Text on the readout and the hints stays readable over curves and grid.
        ASSERT_EQ(colours.count("hint"), 1u) << skin;
        ASSERT_EQ(colours.count("hint-edge"), 1u) << skin;
        EXPECT_GE(colours["hint"][0], 224) << skin << " hint opacity";
    }
}
