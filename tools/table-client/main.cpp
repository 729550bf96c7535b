// zandro-table-client: one seat of an online table, played by a computer style.
#include "ClientOptions.h"
#include "TableClient.h"

#include <cstdio>
#include <iostream>

namespace {

int Play(int argc, char** argv) {
    std::string error;
    const auto options = DoDadu::ParseClientOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "zandro-table-client: " << error << '\n' << DoDadu::kClientUsage;
        return 2;
    }
    return DoDadu::TableClient(*options).Run();
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Play(argc, argv);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "zandro-table-client: %s\n", failure.what());
    } catch (...) {
        std::fputs("zandro-table-client: stopped by an unknown failure\n", stderr);
    }
    return DoDadu::TableClient::kRefused;
}
