#pragma once
#include "EveningStore.h"

namespace DoDadu {

// The evening at the full table in the per-user settings store: application "Zandro",
// section "Table", beside and apart from the score and the statistics ("Dati"). A value
// stored as anything but text reads as empty.
class RegistryEveningStore : public EveningStore {
public:
    std::string Read(const std::string& name) override;
    void Write(const std::string& name, const std::string& text) override;
};

}  // namespace DoDadu
