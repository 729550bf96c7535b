#include "SettingsStore.h"

#include <windows.h>

#include <vector>

namespace NeloUtility {
namespace {

constexpr DWORD kReadBufferBytes = 4096;
constexpr DWORD kOfferedBytes = 2048;        // 1024 UTF-16 units; the rest stays zero
constexpr wchar_t kNotATerminator = 0xFFFF;  // a non-character, never stored

std::wstring WidenBytes(const std::string& text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (char byte : text) wide += static_cast<wchar_t>(static_cast<unsigned char>(byte));
    return wide;
}

// A key that will not close has nothing more to give: the failure is dropped.
void CloseKey(HKEY key) {
    LONG result = RegCloseKey(key);
    (void)result;
}

// Opens Software\NeloSettings\<application>\<section>\ one level at a time, creating
// each level that will not open. Returns null, with nothing left open, when a level
// can be neither opened nor created.
HKEY OpenSectionKey(const std::string& application, const std::string& section, REGSAM access) {
    const std::wstring components[] = {L"Software", L"NeloSettings", WidenBytes(application),
                                       WidenBytes(section)};
    std::wstring path;
    HKEY key = nullptr;
    for (const std::wstring& component : components) {
        path += component;
        path += L'\\';
        if (key != nullptr) {
            CloseKey(key);
            key = nullptr;
        }
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, access, &key) == ERROR_SUCCESS) continue;
        key = nullptr;
        if (RegCreateKeyW(HKEY_CURRENT_USER, path.c_str(), &key) != ERROR_SUCCESS) return nullptr;
    }
    return key;
}

// The buffer's text up to its first zero unit, each unit narrowed to its low byte.
std::string NarrowUntilZero(const std::vector<BYTE>& buffer) {
    std::string text;
    for (std::size_t i = 0; i + 1 < buffer.size(); i += 2) {
        unsigned unit = buffer[i] | (static_cast<unsigned>(buffer[i + 1]) << 8);
        if (unit == 0) break;
        text += static_cast<char>(unit & 0xFF);
    }
    return text;
}

}  // namespace

namespace {
std::string ReadValue(const std::string& application, const std::string& section, const std::string& name,
                      bool textOnly) {
    HKEY key = OpenSectionKey(application, section, KEY_READ);
    if (key == nullptr) return std::string();
    // The buffer holds twice what is offered and starts zeroed, so data written without
    // a terminating NUL still ends within it.
    std::vector<BYTE> buffer(kReadBufferBytes, 0);
    DWORD size = kOfferedBytes;
    DWORD type = 0;
    LONG result = RegQueryValueExW(key, WidenBytes(name).c_str(), nullptr, &type, buffer.data(), &size);
    CloseKey(key);
    if (result != ERROR_SUCCESS || (textOnly && type != REG_SZ)) return std::string();
    return NarrowUntilZero(buffer);
}
}  // namespace

// The type is not examined.
std::string ReadSetting(const std::string& application, const std::string& section, const std::string& name) {
    return ReadValue(application, section, name, false);
}

std::string ReadTextSetting(const std::string& application, const std::string& section,
                            const std::string& name) {
    return ReadValue(application, section, name, true);
}

void WriteSetting(const std::string& application, const std::string& section, const std::string& name,
                  const std::string& value) {
    HKEY key = OpenSectionKey(application, section, KEY_WRITE);
    if (key == nullptr) return;
    // Two bytes per character and no terminating NUL. The registry counts in a
    // terminator that the caller left out whenever the unit after the data is zero; a
    // non-zero unit there keeps the stored value exactly as long as its text, so that
    // 1024 characters still fit a read.
    std::wstring wide = WidenBytes(value);
    const DWORD bytes = static_cast<DWORD>(2 * wide.size());
    wide += kNotATerminator;
    LONG result = RegSetValueExW(key, WidenBytes(name).c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(wide.c_str()), bytes);
    (void)result;  // not reported: a caller that cares reads the value back
    CloseKey(key);
}

}  // namespace NeloUtility
