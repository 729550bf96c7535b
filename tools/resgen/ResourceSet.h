#pragma once
// Every resource of the program, with its id, its file name under resources/ and the
// bytes the generator makes for it; also the resource script and the id header.

#include <string>
#include <vector>

#include "Formats.h"

namespace resgen {

struct ResourceFile {
    std::string path;    // relative to the resources folder, '/' separated
    std::string idName;  // the name in ResourceIds.h, empty for the script and the header
    int id = 0;
    std::string type;  // BITMAP, ICON or WAVE; empty for the script and the header
    Bytes bytes;
};

std::vector<ResourceFile> BuildResources();
// Writes every file under folder (sub-folders are made as needed).
void WriteResources(const std::string& folder);

}  // namespace resgen
