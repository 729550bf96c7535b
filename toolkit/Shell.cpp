#include "Shell.h"

#include "GUIElement.h"
#include "LazyLibrary.h"

#include <windows.h>
#include <shellapi.h>

namespace NeloUtility {

bool OpenWithShell(const std::string& address) {
    // The shell library is large and a program opens an address rarely: it is loaded on the
    // first request rather than with the program.
    static const auto shellExecute = LazyFunction<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    if (shellExecute == nullptr) return false;
    std::wstring wide = Widen(address);
    HINSTANCE result = shellExecute(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOW);
    // Values above 32 mean success; smaller ones are error codes.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace NeloUtility
