#include "WindowsUserNames.h"

#include "LazyLibrary.h"
#include "TextResources.h"

#define SECURITY_WIN32
#include <windows.h>
#include <security.h>

namespace DoDadu {
namespace {

constexpr DWORD kLongestName = 256;  // the display name's and the sign-in name's room, with the null

std::string DisplayName() {
    const auto getUserNameEx =
        NeloUtility::LazyFunction<decltype(&GetUserNameExW)>(L"secur32.dll", "GetUserNameExW");
    wchar_t name[kLongestName] = {};
    ULONG length = kLongestName;
    if (getUserNameEx == nullptr || !getUserNameEx(NameDisplay, name, &length)) return std::string();
    return NeloUtility::WideToUtf8(name);
}

std::string SignInName() {
    wchar_t name[kLongestName] = {};
    DWORD length = kLongestName;
    if (!GetUserNameW(name, &length)) return std::string();
    return NeloUtility::WideToUtf8(name);
}

}  // namespace

WindowsUserNames CurrentUserNames() { return {DisplayName(), SignInName()}; }

}  // namespace DoDadu
