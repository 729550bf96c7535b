#include "LazyLibrary.h"

#include <map>
#include <string>

namespace NeloUtility {

void* LazyAddress(const wchar_t* library, const char* function) {
    static std::map<std::wstring, HMODULE> loaded;  // a missing library is not tried again
    auto [place, first] = loaded.try_emplace(library, nullptr);
    if (first) place->second = LoadLibraryW(library);
    return place->second != nullptr ? reinterpret_cast<void*>(GetProcAddress(place->second, function))
                                    : nullptr;
}

}  // namespace NeloUtility
