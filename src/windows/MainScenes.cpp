#include "windows/MainScenes.h"

#include "windows/AboutViewController.h"
#include "windows/AboutWindowController.h"
#include "windows/SceneLoader.h"
#include "windows/UVCDeviceViewController.h"

namespace windows {

void registerMainScenes() {
    static const bool registered = [] {
        SceneLoader::registerController<AboutWindowController>();
        SceneLoader::registerController<AboutViewController>();
        SceneLoader::registerController<UVCDeviceViewController>();
        return true;
    }();
    (void)registered;
}

} // namespace windows
