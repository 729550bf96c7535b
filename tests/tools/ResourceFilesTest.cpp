// The committed resources: regenerating them gives the same bytes, and every file has
// the format the program and the resource compiler expect.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "CardArt.h"
#include "ResourceSet.h"

namespace fs = std::filesystem;
using resgen::Bytes;

namespace {

const fs::path kResources = ZANDRO_RESOURCES_DIR;

Bytes ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::uint32_t U16(const Bytes& b, std::size_t at) { return b.at(at) | b.at(at + 1) << 8; }
std::uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
std::int32_t S32(const Bytes& b, std::size_t at) { return std::int32_t(U32(b, at)); }
std::string Tag(const Bytes& b, std::size_t at) {
    return std::string(b.begin() + long(at), b.begin() + long(at) + 4);
}

// A palette BMP read back independently of the writer.
struct Bmp {
    int width = 0, height = 0, bits = 0;
    std::vector<resgen::Rgb> palette;
    std::vector<std::uint8_t> pixels;  // top row first

    resgen::Rgb Colour(int x, int y) const { return palette.at(pixels.at(std::size_t(y) * width + x)); }
};

Bmp ReadBmp(const Bytes& b) {
    Bmp bmp;
    EXPECT_EQ(std::string(b.begin(), b.begin() + 2), "BM");
    EXPECT_EQ(U32(b, 2), b.size());
    EXPECT_EQ(U32(b, 14), 40u);
    bmp.width = S32(b, 18);
    bmp.height = S32(b, 22);
    bmp.bits = int(U16(b, 28));
    EXPECT_EQ(U32(b, 30), 0u) << "uncompressed";
    const std::uint32_t colours = U32(b, 46) ? U32(b, 46) : 1u << bmp.bits;
    for (std::uint32_t i = 0; i < colours; ++i) {
        const std::size_t at = 54 + 4 * i;
        bmp.palette.push_back({b.at(at + 2), b.at(at + 1), b.at(at)});
    }
    const std::size_t offset = U32(b, 10);
    const std::size_t stride = (std::size_t(bmp.width) * bmp.bits + 31) / 32 * 4;
    EXPECT_EQ(offset + stride * bmp.height, b.size());
    for (int y = 0; y < bmp.height; ++y) {
        const std::size_t row = offset + stride * std::size_t(bmp.height - 1 - y);
        for (int x = 0; x < bmp.width; ++x) {
            const std::uint8_t byte = b.at(row + std::size_t(x * bmp.bits / 8));
            bmp.pixels.push_back(bmp.bits == 8 ? byte : (x % 2 ? byte & 15 : byte >> 4));
        }
    }
    return bmp;
}

struct Wave {
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<std::int16_t> samples;
    double Seconds() const { return double(samples.size()) / channels / rate; }
};

Wave ReadWave(const Bytes& b) {
    Wave w;
    EXPECT_EQ(Tag(b, 0), "RIFF");
    EXPECT_EQ(U32(b, 4) + 8, b.size());
    EXPECT_EQ(Tag(b, 8), "WAVE");
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const std::string tag = Tag(b, at);
        const std::size_t size = U32(b, at + 4);
        if (tag == "fmt ") {
            w.format = int(U16(b, at + 8));
            w.channels = int(U16(b, at + 10));
            w.rate = int(U32(b, at + 12));
            EXPECT_EQ(U32(b, at + 16), std::uint32_t(w.rate * w.channels * 2)) << "byte rate";
            w.bits = int(U16(b, at + 22));
        } else if (tag == "data") {
            for (std::size_t i = 0; i + 1 < size; i += 2)
                w.samples.push_back(std::int16_t(U16(b, at + 8 + i)));
        }
        at += 8 + size + (size & 1);
    }
    return w;
}

const resgen::Rgb kTableGreen{0, 128, 0};
const resgen::Rgb kWhite{255, 255, 255};

bool operator!=(resgen::Rgb a, resgen::Rgb b) { return !(a == b); }

// The pixel of the card at its own scale that holds the centre of pixel p at 100 %.
int Scaled(const Bmp& card, int p) { return (2 * p + 1) * card.width / 126; }

// Groups of touching (8-neighbour) pixels that are neither the white face nor outside
// the card, counted inside the face away from the border and the two corner indices.
int InkBlobs(const Bmp& card) {
    const int w = card.width, h = card.height;
    const int border = Scaled(card, 2), indexWidth = Scaled(card, 14), indexHeight = Scaled(card, 12);
    auto counts = [&](int x, int y) {
        if (x < border || y < border || x >= w - border || y >= h - border) return false;
        if ((x < indexWidth && y < indexHeight) || (x >= w - indexWidth && y >= h - indexHeight))
            return false;
        return card.Colour(x, y) != kWhite;
    };
    std::vector<char> seen(std::size_t(w) * h, 0);
    int blobs = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!counts(x, y) || seen[std::size_t(y) * w + x]) continue;
            ++blobs;
            std::vector<std::pair<int, int>> stack{{x, y}};
            seen[std::size_t(y) * w + x] = 1;
            while (!stack.empty()) {
                auto [px, py] = stack.back();
                stack.pop_back();
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = px + dx, ny = py + dy;
                        if (!counts(nx, ny) || seen[std::size_t(ny) * w + nx]) continue;
                        seen[std::size_t(ny) * w + nx] = 1;
                        stack.push_back({nx, ny});
                    }
                }
            }
        }
    }
    return blobs;
}

// Everything the generator makes, made once for all the tests.
const std::vector<resgen::ResourceFile>& Generated() {
    static const std::vector<resgen::ResourceFile> files = resgen::BuildResources();
    return files;
}

// 100 % and the denser scales, with the picture sizes the program relies on.
struct Density {
    int percent;
    int cardWidth, cardHeight, tableLogoWidth, aboutLogoWidth, logoHeight;
};
const Density kDensities[] = {
    {100, 63, 101, 200, 163, 50},   {125, 79, 126, 250, 204, 63},   {150, 95, 152, 300, 245, 75},
    {175, 110, 177, 350, 285, 88},  {200, 126, 202, 400, 326, 100}, {250, 158, 253, 500, 408, 125},
    {300, 189, 303, 600, 489, 150},
};

std::string CardPath(int id, int percent) {
    const std::string stem = id == 0 ? "card-back" : resgen::CardFileStem(id);
    return percent == 100 ? "cards/" + stem + ".bmp"
                          : "cards/" + std::to_string(percent) + "/" + stem + ".bmp";
}

std::string LogoPath(const std::string& name, int percent) {
    return percent == 100 ? name + ".bmp" : name + "-" + std::to_string(percent) + ".bmp";
}

Bmp ReadCard(int id, int percent) { return ReadBmp(ReadBytes(kResources / CardPath(id, percent))); }

// The share of pixels whose colour differs from the 100 % picture enlarged pixel by pixel.
double ShareUnlikeEnlarged(const Bmp& dense, const Bmp& base) {
    int unlike = 0;
    for (int y = 0; y < dense.height; ++y) {
        for (int x = 0; x < dense.width; ++x)
            unlike += dense.Colour(x, y) !=
                      base.Colour(x * base.width / dense.width, y * base.height / dense.height);
    }
    return double(unlike) / (dense.width * dense.height);
}

}  // namespace

TEST(ResourceFiles, RegeneratingGivesTheCommittedBytes) {
    std::set<std::string> expected;
    for (const resgen::ResourceFile& f : Generated()) {
        expected.insert(f.path);
        const fs::path committed = kResources / f.path;
        ASSERT_TRUE(fs::exists(committed)) << committed << ": run resgen on resources/";
        EXPECT_TRUE(ReadBytes(committed) == f.bytes) << f.path << " differs from what resgen makes";
    }
    // No stale files that the script no longer names.
    for (const auto& entry : fs::recursive_directory_iterator(kResources)) {
        if (!entry.is_regular_file()) continue;
        const std::string relative = fs::relative(entry.path(), kResources).generic_string();
        EXPECT_TRUE(expected.count(relative)) << relative << " is not made by resgen";
    }
}

TEST(ResourceFiles, WritingTwiceGivesTheSameBytes) {
    const fs::path folder =
        fs::temp_directory_path() /
        ("resgen-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::remove_all(folder);
    resgen::WriteResources(folder.string());
    for (const resgen::ResourceFile& f : Generated()) {
        EXPECT_TRUE(ReadBytes(folder / f.path) == f.bytes) << f.path;
    }
    fs::remove_all(folder);
}

TEST(ResourceFiles, BitmapsHaveTheirSizeDepthAndBackground) {
    struct Case {
        std::string path;
        int width, height, bits;
        resgen::Rgb corner;  // the pixel at (0, 0): what surrounds the picture
    };
    std::vector<Case> cases;
    for (const Density& d : kDensities) {
        cases.push_back({LogoPath("logo-table", d.percent), d.tableLogoWidth, d.logoHeight, 8, kTableGreen});
        cases.push_back(
            {LogoPath("logo-about", d.percent), d.aboutLogoWidth, d.logoHeight, 8, {240, 240, 240}});
        for (int id = 0; id <= 40; ++id)
            cases.push_back({CardPath(id, d.percent), d.cardWidth, d.cardHeight, 4, kTableGreen});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const Bmp bmp = ReadBmp(ReadBytes(kResources / c.path));
        EXPECT_EQ(bmp.width, c.width);
        EXPECT_EQ(bmp.height, c.height);
        EXPECT_EQ(bmp.bits, c.bits);
        EXPECT_EQ(bmp.palette.size(), std::size_t(1) << c.bits);
        for (std::uint8_t p : bmp.pixels) ASSERT_LT(p, bmp.palette.size());
        EXPECT_TRUE(bmp.Colour(0, 0) == c.corner);
        EXPECT_TRUE(bmp.Colour(bmp.width - 1, bmp.height - 1) == c.corner);
    }
}

TEST(ResourceFiles, CardFilesHoldTheDrawnPixels) {
    for (int id = 1; id <= 40; ++id) {
        const Bmp bmp = ReadBmp(ReadBytes(kResources / "cards" / (resgen::CardFileStem(id) + ".bmp")));
        EXPECT_TRUE(bmp.pixels == resgen::DrawCard(id).pixels) << "card " << id;
    }
}

TEST(ResourceFiles, CardsAreFramedWhiteAndAllDifferent) {
    std::set<std::vector<std::uint8_t>> seen;
    seen.insert(resgen::DrawCardBack().pixels);
    for (int id = 1; id <= 40; ++id) {
        SCOPED_TRACE("card " + std::to_string(id));
        const Bmp card = ReadBmp(ReadBytes(kResources / "cards" / (resgen::CardFileStem(id) + ".bmp")));
        EXPECT_TRUE(seen.insert(card.pixels).second) << "looks like another card";
        EXPECT_TRUE(card.Colour(31, 0) != kWhite && card.Colour(31, 0) != kTableGreen) << "top border";
        EXPECT_TRUE(card.Colour(0, 50) != kWhite && card.Colour(0, 50) != kTableGreen) << "left border";
        EXPECT_TRUE(card.Colour(1, 1) != kTableGreen) << "corner too round";
        EXPECT_TRUE(card.Colour(30, 2) == kWhite) << "face";
        // The rank in the top left corner, and turned round in the bottom right one.
        int ink = 0;
        for (int y = 3; y < 10; ++y) {
            for (int x = 3; x < 12; ++x) {
                const bool top = card.Colour(x, y) != kWhite;
                const bool bottom = card.Colour(62 - x, 100 - y) != kWhite;
                EXPECT_EQ(top, bottom) << x << "," << y;
                ink += top;
            }
        }
        EXPECT_GT(ink, 8);
    }
}

TEST(ResourceFiles, NumberCardsShowAsManySeparatePipsAsTheirRank) {
    for (const Density& d : kDensities) {
        for (int id = 1; id <= 40; ++id) {
            const int rank = (id - 1) % 10 + 1;
            if (rank > 7) continue;
            EXPECT_EQ(InkBlobs(ReadCard(id, d.percent)), rank) << CardPath(id, d.percent);
        }
    }
}

// A denser picture is drawn anew at its size: neither the 100 % picture enlarged pixel by
// pixel nor a smoothed enlargement (a card keeps to the card colours).
TEST(ResourceFiles, DenserPicturesAreDrawnAnewNotEnlarged) {
    for (const Density& d : kDensities) {
        if (d.percent == 100) continue;
        for (int id = 0; id <= 40; ++id) {
            SCOPED_TRACE(CardPath(id, d.percent));
            const Bmp base = ReadCard(id, 100), dense = ReadCard(id, d.percent);
            EXPECT_TRUE(dense.palette == base.palette) << "colours the card does not have";
            EXPECT_GT(ShareUnlikeEnlarged(dense, base), 0.01);
        }
        for (const char* logo : {"logo-table", "logo-about"}) {
            const Bmp base = ReadBmp(ReadBytes(kResources / LogoPath(logo, 100)));
            const Bmp dense = ReadBmp(ReadBytes(kResources / LogoPath(logo, d.percent)));
            EXPECT_GT(ShareUnlikeEnlarged(dense, base), 0.1) << LogoPath(logo, d.percent);
        }
    }
}

TEST(ResourceFiles, SoundsHaveTheirFormatAndEndInSilence) {
    struct Case {
        std::string path;
        int channels, rate;
        double minSeconds, maxSeconds;
    };
    const Case cases[] = {
        {"deal.wav", 1, 44100, 0.1, 0.25},
        {"win.wav", 2, 48000, 1.7, 2.3},
        {"loss.wav", 2, 48000, 1.7, 2.3},
    };
    const int kMinus1dBFS = int(32767 * std::pow(10.0, -1 / 20.0));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const Wave w = ReadWave(ReadBytes(kResources / c.path));
        EXPECT_EQ(w.format, 1) << "PCM";
        EXPECT_EQ(w.channels, c.channels);
        EXPECT_EQ(w.rate, c.rate);
        EXPECT_EQ(w.bits, 16);
        EXPECT_GE(w.Seconds(), c.minSeconds);
        EXPECT_LE(w.Seconds(), c.maxSeconds);
        int peak = 0;
        for (std::int16_t s : w.samples) peak = std::max(peak, std::abs(int(s)));
        EXPECT_LE(peak, kMinus1dBFS);
        EXPECT_GT(peak, kMinus1dBFS / 4) << "too quiet";
        for (int ch = 0; ch < c.channels; ++ch) {
            EXPECT_LE(std::abs(w.samples[std::size_t(ch)]), 16) << "starts with a click";
            EXPECT_LE(std::abs(w.samples[w.samples.size() - std::size_t(c.channels - ch)]), 16)
                << "ends with a click";
        }
    }
}

namespace {

// Zero crossings per second of the left channel between two times: a rough pitch.
double CrossingRate(const Wave& w, double from, double to) {
    const std::size_t first = std::size_t(from * w.rate), last = std::size_t(to * w.rate);
    int crossings = 0;
    for (std::size_t f = first + 1; f < last; ++f) {
        crossings += (w.samples[f * w.channels] >= 0) != (w.samples[(f - 1) * w.channels] >= 0);
    }
    return crossings / (to - from);
}

}  // namespace

TEST(ResourceFiles, WinJingleRisesAndLossJingleFalls) {
    const Wave win = ReadWave(ReadBytes(kResources / "win.wav"));
    const Wave loss = ReadWave(ReadBytes(kResources / "loss.wav"));
    EXPECT_GT(CrossingRate(win, 0.45, 0.6), 1.3 * CrossingRate(win, 0.0, 0.12));
    EXPECT_LT(CrossingRate(loss, 1.0, 1.8), 0.9 * CrossingRate(loss, 0.02, 0.28));
}

TEST(ResourceFiles, IconHoldsEverySizeWithTransparentCorners) {
    const Bytes b = ReadBytes(kResources / "zandro.ico");
    ASSERT_EQ(U16(b, 0), 0u);
    ASSERT_EQ(U16(b, 2), 1u) << "icon type";
    const std::size_t count = U16(b, 4);
    std::set<int> sizes;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * i;
        const int size = b.at(entry) ? b.at(entry) : 256;
        SCOPED_TRACE(size);
        sizes.insert(size);
        EXPECT_EQ(b.at(entry + 1), b.at(entry));
        EXPECT_EQ(U16(b, entry + 6), 32u);
        const std::size_t bytes = U32(b, entry + 8), offset = U32(b, entry + 12);
        ASSERT_LE(offset + bytes, b.size());
        EXPECT_EQ(U32(b, offset), 40u);
        EXPECT_EQ(S32(b, offset + 4), size);
        EXPECT_EQ(S32(b, offset + 8), 2 * size) << "colour and mask rows";
        EXPECT_EQ(bytes, 40u + size * size * 4 + (size + 31) / 32 * 4 * size);
        // Rows are stored bottom up: the first pixel is the bottom left corner.
        EXPECT_EQ(b.at(offset + 40 + 3), 0) << "corner should be transparent";
        const std::size_t centre = offset + 40 + (std::size_t(size / 2) * size + size / 2) * 4;
        EXPECT_EQ(b.at(centre + 3), 255) << "centre should be opaque";
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 20, 24, 32, 40, 48, 64, 256}));
}

TEST(ResourceFiles, ScriptNamesEveryResourceUnderItsId) {
    std::map<std::string, int> ids;
    std::ifstream header(kResources / "ResourceIds.h");
    const std::regex define(R"(#define (\w+) (\d+))");
    for (std::string line; std::getline(header, line);) {
        std::smatch m;
        if (std::regex_match(line, m, define)) ids[m[1]] = std::stoi(m[2]);
    }
    const std::map<std::string, int> required = {
        {"IDI_ZANDRO", 1005},    {"IDB_LOGO_ABOUT", 1006}, {"IDB_LOGO_TABLE", 1007},
        {"IDW_DEAL", 1008},      {"IDW_WIN", 1009},        {"IDW_LOSS", 1010},
        {"IDB_CARD_BACK", 1100}, {"IDB_CARD_FIRST", 1101}, {"IDB_CARD_LAST", 1140}};
    EXPECT_EQ(ids["IDB_DENSITY_STEP"], 10000);
    for (const auto& [name, id] : required) EXPECT_EQ(ids[name], id) << name;

    std::ifstream script(kResources / "zandro.rc");
    const std::regex entry(R"((\w+) (BITMAP|ICON|WAVE) \"([^\"]+)\")");
    std::set<int> seen;
    for (std::string line; std::getline(script, line);) {
        std::smatch m;
        if (!std::regex_match(line, m, entry)) continue;
        const std::string name = m[1];
        const int id = std::isdigit(static_cast<unsigned char>(name[0])) ? std::stoi(name) : ids.at(name);
        EXPECT_TRUE(seen.insert(id).second) << id << " twice";
        EXPECT_TRUE(fs::exists(kResources / std::string(m[3]))) << m[3];
        const int base = id % 10000, density = id / 10000;
        if (base >= 1100) {
            EXPECT_EQ(std::string(m[3]), CardPath(base - 1100, kDensities[density].percent));
        }
    }
    // Every bitmap is there at every density: two logos, the back and 40 cards.
    std::vector<int> bitmaps = {1006, 1007};
    for (int id = 1100; id <= 1140; ++id) bitmaps.push_back(id);
    for (int id : bitmaps) {
        for (int n = 1; n <= 6; ++n) EXPECT_TRUE(seen.count(id + 10000 * n)) << id << " at density " << n;
    }
    EXPECT_EQ(seen.size(), 47u + 43u * 6);  // icon, three sounds and 43 bitmaps at 100 %, bitmaps at six more
}

#ifdef ZANDRO_WINDRES
TEST(ResourceFiles, ResourceCompilerAcceptsTheScript) {
    const fs::path out = fs::temp_directory_path() / "resgen-test-zandro.res";
    const std::string command =
        std::string(ZANDRO_WINDRES) + " --input-format=rc --output-format=coff -I \"" + kResources.string() +
        "\" -i \"" + (kResources / "zandro.rc").string() + "\" -o \"" + out.string() + "\"";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_GT(fs::file_size(out), 40000u);
    fs::remove(out);
}
#endif
