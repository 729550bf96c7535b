#include "Shell.h"

#include "GUIElement.h"

#include <windows.h>
#include <shellapi.h>

namespace NeloUtility {

namespace {
using ShellExecuteFunction = decltype(&ShellExecuteW);

// The shell library is large and a program opens an address rarely: it is loaded on the
// first request rather than with the program.
ShellExecuteFunction ShellExecuteEntry() {
    static ShellExecuteFunction entry = [] {
        HMODULE shell = LoadLibraryW(L"shell32.dll");
        return shell != nullptr ? reinterpret_cast<ShellExecuteFunction>(
                                      reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteW")))
                                : nullptr;
    }();
    return entry;
}
}  // namespace

bool OpenWithShell(const std::string& address) {
    ShellExecuteFunction shellExecute = ShellExecuteEntry();
    if (shellExecute == nullptr) return false;
    std::wstring wide = Widen(address);
    HINSTANCE result = shellExecute(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOW);
    // Values above 32 mean success; smaller ones are error codes.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace NeloUtility
