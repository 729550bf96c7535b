// textgen OUTPUT-FOLDER en.po OTHER.po...
// Checks the texts of every language and writes TextIds.h, TextStrings.rc and
// TextTable.cpp into the folder. Any fault is printed and fails the build, and no file
// is written then.
#include "TextCatalog.h"
#include "TextOutputs.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace {

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    text = bytes.str();
    return static_cast<bool>(in) || in.eof();
}

// Writes only when the bytes change, so that what depends on the file is not rebuilt.
bool WriteFile(const std::string& path, const std::string& text) {
    std::string old;
    if (std::ifstream(path, std::ios::binary).good() && ReadFile(path, old) && old == text) return true;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: textgen OUTPUT-FOLDER en.po [OTHER.po...]\n";
        return 2;
    }
    std::vector<std::string> errors;
    std::vector<textgen::PoFile> files;
    for (int i = 2; i < argc; ++i) {
        std::string text;
        if (!ReadFile(argv[i], text)) {
            errors.push_back(std::string(argv[i]) + ": cannot be read");
            continue;
        }
        files.push_back(textgen::ParsePo(text, argv[i], errors));
    }
    const textgen::Catalog catalog = textgen::BuildCatalog(files, errors);
    for (const std::string& error : errors) std::cerr << error << "\n";
    if (!errors.empty()) return 1;

    const std::string folder = argv[1];
    const bool written = WriteFile(folder + "/TextIds.h", textgen::IdsHeader(catalog)) &&
                         WriteFile(folder + "/TextStrings.rc", textgen::ResourceScript(catalog)) &&
                         WriteFile(folder + "/TextTable.cpp", textgen::TableSource(catalog));
    if (!written) {
        std::cerr << folder << ": the texts could not be written\n";
        return 1;
    }
    return 0;
}
