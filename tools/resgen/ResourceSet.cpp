#include "ResourceSet.h"

#include <filesystem>
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
         "#define IDB_CARD_LAST 1140\n";
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

}  // namespace

std::vector<ResourceFile> BuildResources() {
    std::vector<ResourceFile> files;
    const std::vector<RgbaImage> icons = {DrawIcon(16), DrawIcon(32), DrawIcon(48)};
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
