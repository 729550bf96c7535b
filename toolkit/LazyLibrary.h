// The one place that loads a library and looks a function up at run time: for functions
// that Windows 7 lacks, and for libraries a program needs late or rarely (sound, the shell,
// accessibility), so that it starts without them.
#pragma once

#include <windows.h>

namespace NeloUtility {

// The address of `function` in `library`, which is loaded at the first lookup in it and
// kept; null when either is missing.
void* LazyAddress(const wchar_t* library, const char* function);

// The same as the declared type: LazyFunction<decltype(&PlaySoundW)>(L"winmm.dll", "PlaySoundW").
template <class Function>
Function LazyFunction(const wchar_t* library, const char* function) {
    return reinterpret_cast<Function>(LazyAddress(library, function));
}

}  // namespace NeloUtility
