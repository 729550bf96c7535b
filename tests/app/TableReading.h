// The full table of a game running in another process, read as a screen reader reads it
// (the accessible names of its children) and played as a keyboard plays it, each wait
// bounded in time.
#pragma once

#include "CoreTestSupport.h"
#include "GameProcess.h"

#include <oleacc.h>

#include <functional>
#include <map>
#include <regex>
#include <string>
#include <utility>
#include <vector>

namespace tablereading {

// Pumps this thread's messages until done() holds; false when timeoutMs passed first.
inline bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 10000) {
    for (const DWORD start = GetTickCount(); !done(); coretest::Pump(20))
        if (GetTickCount() - start > timeoutMs) return false;
    return true;
}

inline std::string AccessibleName(HWND window) {
    std::string name;
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                          reinterpret_cast<void**>(&object))))
        return name;
    VARIANT self{};
    self.vt = VT_I4;
    BSTR text = nullptr;
    if (object->get_accName(self, &text) == S_OK && text != nullptr) name = NeloUtility::WideToUtf8(text);
    SysFreeString(text);
    object->Release();
    return name;
}

// A key pressed and released as the foreground window receives it, then a moment to handle it.
inline void Press(WORD key, WORD modifier = 0) {
    GameProcess::SendKey(key, modifier);
    coretest::Pump(150);
}

// Every visible child window of the table with its accessible name.
inline std::vector<std::pair<HWND, std::string>> Named(HWND table) {
    std::vector<std::pair<HWND, std::string>> named;
    for (HWND child = GetWindow(table, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child)) named.emplace_back(child, AccessibleName(child));
    return named;
}

// Each seat's chips by name, and the bank's name, as the seats' names read in a language
// whose words for the bank and the chips are given.
inline std::map<std::string, long long> Chips(const std::vector<std::pair<HWND, std::string>>& named,
                                              const char* bankWord, const char* chipsWord,
                                              std::string* bank = nullptr) {
    const std::regex seat(std::string("^(.+?)(, ") + bankWord + ")?: ([0-9.,\xC2\xA0]+) " + chipsWord + "$");
    std::map<std::string, long long> chips;
    std::smatch parts;
    for (const auto& [window, name] : named) {
        if (!std::regex_match(name, parts, seat)) continue;
        std::string digits;
        for (char c : parts[3].str())
            if (c >= '0' && c <= '9') digits += c;
        chips[parts[1]] = std::stoll(digits);
        if (bank != nullptr && parts[2].matched) *bank = parts[1];
    }
    return chips;
}

inline long long Total(const std::map<std::string, long long>& chips) {
    long long total = 0;
    for (const auto& seat : chips) total += seat.second;
    return total;
}

}  // namespace tablereading
