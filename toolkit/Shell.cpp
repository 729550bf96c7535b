#include "Shell.h"

#include "GUIElement.h"

#include <windows.h>
#include <shellapi.h>

namespace NeloUtility {

bool OpenWithShell(const std::string& address) {
    std::wstring wide = Widen(address);
    HINSTANCE result = ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOW);
    // Values above 32 mean success; smaller ones are error codes.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace NeloUtility
