#pragma once
// The controller classes that the scenes of the storyboard "Main" name.

namespace windows {

// Lets the scenes of "Main" make their controllers. Call once at start-up; later calls do nothing.
void registerMainScenes();

} // namespace windows
