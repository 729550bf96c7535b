#include "RegistryEveningStore.h"
#include "SettingsStore.h"

namespace DoDadu {

namespace {
const char* const kApplication = "Zandro";
const char* const kSection = "Table";
}  // namespace

std::string RegistryEveningStore::Read(const std::string& name) {
    return NeloUtility::ReadTextSetting(kApplication, kSection, name);
}

void RegistryEveningStore::Write(const std::string& name, const std::string& text) {
    NeloUtility::WriteSetting(kApplication, kSection, name, text);
}

}  // namespace DoDadu
