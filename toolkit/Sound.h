// Sounds kept as WAVE resources of the program.
#pragma once

namespace NeloUtility {

// Starts the program's WAVE resource `resourceId` and returns at once; a missing one plays
// nothing. The sound library is loaded with the first sound, so the program starts sooner.
void PlayWaveResource(int resourceId);

}  // namespace NeloUtility
