#include "ResourceSet.h"

#include <filesystem>
#include <iterator>
#include <sstream>

#include "CardArt.h"
#include "LogoArt.h"
#include "Sounds.h"

namespace resgen {
namespace {

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes Wave(const Sound& s) { return EncodeWav(s.samples, s.channels, s.sampleRate); }

std::string Header() {
    std::ostringstream h;
    h << "#pragma once\n"
         "// Resource ids of the program; resources/zandro.rc includes this file too.\n"
         "// Made by tools/resgen together with the files it names.\n\n"
         "#define IDI_ZANDRO 1005\n"
         "#define IDB_LOGO_ABOUT 1006\n"
         "#define IDB_LOGO_TABLE 1007\n"
         "#define IDW_DEAL 1008\n"
         "#define IDW_WIN 1009\n"
         "#define IDW_LOSS 1010\n\n"
         "// Card id n (1-40) is the bitmap IDB_CARD_BACK + n.\n"
         "#define IDB_CARD_BACK 1100\n"
         "#define IDB_CARD_FIRST 1101\n"
         "#define IDB_CARD_LAST 1140\n\n"
         "// Every bitmap is also drawn for denser screens: the picture with id B at density n\n"
         "// is the bitmap B + IDB_DENSITY_STEP * n, n = 1 to "
      << std::size(kDensityPercents) - 1 << " for the display scales\n//";
    const std::size_t count = std::size(kDensityPercents);
    for (std::size_t i = 1; i < count; ++i) {
        h << (i == 1 ? " " : i + 1 == count ? " and " : ", ") << kDensityPercents[i];
    }
    h << " %. Its width and height are those at 100 % times the percent / 100,\n"
         "// rounded to the nearest pixel, halves up.\n"
         "#define IDB_DENSITY_STEP "
      << kDensityStep << "\n// The display scale of each density in percent, from density 0.\n"
      << "#define IDB_DENSITY_PERCENTS";
    for (std::size_t i = 0; i < count; ++i) h << (i == 0 ? " " : ", ") << kDensityPercents[i];
    h << "\n";
    return h.str();
}

std::string Script(const std::vector<ResourceFile>& files) {
    std::ostringstream rc;
    rc << "// Resources of the program. Made by tools/resgen; run it again rather than edit.\n"
          "#include \"ResourceIds.h\"\n\n";
    for (const ResourceFile& f : files) {
        if (f.type.empty()) continue;
        const std::string id = f.idName.empty() ? std::to_string(f.id) : f.idName;
        rc << id << " " << f.type << " \"" << f.path << "\"\n";
    }
    return rc.str();
}

// The bitmaps drawn for density n, under their 100 % ids plus n steps.
void AddDensity(std::vector<ResourceFile>& files, int n) {
    const int percent = kDensityPercents[n];
    const std::string suffix = std::to_string(percent);
    const int step = kDensityStep * n;
    auto add = [&](const std::string& path, int id, const IndexedImage& image, int bits) {
        files.push_back({path, "", id + step, "BITMAP", EncodeBmp(image, bits)});
    };
    add("logo-about-" + suffix + ".bmp", 1006, DrawAboutLogo(percent), 8);
    add("logo-table-" + suffix + ".bmp", 1007, DrawTableLogo(percent), 8);
    add("cards/" + suffix + "/card-back.bmp", 1100, DrawCardBack(percent), 4);
    for (int id = 1; id <= 40; ++id) {
        add("cards/" + suffix + "/" + CardFileStem(id) + ".bmp", 1100 + id, DrawCard(id, percent), 4);
    }
}

}  // namespace

std::vector<ResourceFile> BuildResources() {
    std::vector<ResourceFile> files;
    std::vector<RgbaImage> icons;
    for (int size : {16, 20, 24, 32, 40, 48, 64, 256}) icons.push_back(DrawIcon(size));
    files.push_back({"zandro.ico", "IDI_ZANDRO", 1005, "ICON", EncodeIco(icons)});
    files.push_back({"logo-about.bmp", "IDB_LOGO_ABOUT", 1006, "BITMAP", EncodeBmp(DrawAboutLogo(), 8)});
    files.push_back({"logo-table.bmp", "IDB_LOGO_TABLE", 1007, "BITMAP", EncodeBmp(DrawTableLogo(), 8)});
    files.push_back({"deal.wav", "IDW_DEAL", 1008, "WAVE", Wave(MakeDealSound())});
    files.push_back({"win.wav", "IDW_WIN", 1009, "WAVE", Wave(MakeWinSound())});
    files.push_back({"loss.wav", "IDW_LOSS", 1010, "WAVE", Wave(MakeLossSound())});
    files.push_back({"cards/card-back.bmp", "IDB_CARD_BACK", 1100, "BITMAP", EncodeBmp(DrawCardBack(), 4)});
    for (int id = 1; id <= 40; ++id) {
        files.push_back(
            {"cards/" + CardFileStem(id) + ".bmp", "", 1100 + id, "BITMAP", EncodeBmp(DrawCard(id), 4)});
    }
    for (int n = 1; n < int(std::size(kDensityPercents)); ++n) AddDensity(files, n);
    files.push_back({"ResourceIds.h", "", 0, "", Text(Header())});
    files.push_back({"zandro.rc", "", 0, "", Text(Script(files))});
    return files;
}

void WriteResources(const std::string& folder) {
    namespace fs = std::filesystem;
    for (const ResourceFile& f : BuildResources()) {
        const fs::path path = fs::path(folder) / fs::path(f.path);
        fs::create_directories(path.parent_path());
        WriteFile(path.string(), f.bytes);
    }
}

}  // namespace resgen
