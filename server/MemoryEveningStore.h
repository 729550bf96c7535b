#pragma once
#include "EveningStore.h"

#include <map>
#include <string>

namespace DoDadu {

// The evening's named texts in memory, written to the table's file with the rest of it.
class MemoryEveningStore : public EveningStore {
public:
    std::string Read(const std::string& name) override {
        const auto found = texts.find(name);
        return found == texts.end() ? std::string() : found->second;
    }
    void Write(const std::string& name, const std::string& text) override { texts[name] = text; }
    std::map<std::string, std::string> texts;
};

}  // namespace DoDadu
