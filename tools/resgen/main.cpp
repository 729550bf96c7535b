// resgen <output-folder>: draws the card pictures, logos and icon, synthesises the
// sounds, and writes them with the resource script and its id header.
#include <exception>
#include <iostream>

#include "ResourceSet.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: resgen <output-folder>\n";
        return 2;
    }
    try {
        resgen::WriteResources(argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "resgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
