#include "Sound.h"

#include "LazyLibrary.h"

#include <mmsystem.h>

namespace NeloUtility {

void PlayWaveResource(int resourceId) {
    static const auto playSound = LazyFunction<decltype(&PlaySoundW)>(L"winmm.dll", "PlaySoundW");
    if (playSound != nullptr)
        playSound(MAKEINTRESOURCEW(resourceId), GetModuleHandleW(nullptr),
                  SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
}

}  // namespace NeloUtility
