#include "support/SimulatedTestbed.h"

#include <umockdev.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace sim {

namespace {

// umockdev_testbed_new() starts its worker thread, which reads the environment (gettext does, as
// GIO's classes are first made), and then sets UMOCKDEV_DIR. Adding a name moves the
// environment's array and frees the old one under a thread that reads it: getenv crashes.
// Changing a name already there happens in place. So, while the process still has one thread,
// UMOCKDEV_DIR names a testbed that umockdev's preload library treats as switched off
// ("disabled"), as if the name were not there, and the first testbed only changes its value.
class SwitchedOffTestbed {
public:
    SwitchedOffTestbed() {
        char pattern[] = "/tmp/umockdev-off.XXXXXX";
        if (std::getenv("UMOCKDEV_DIR") != nullptr || mkdtemp(pattern) == nullptr) {
            return;
        }
        directory = pattern;
        if (std::FILE* disabled = std::fopen(flag().c_str(), "w")) {
            std::fclose(disabled);
            setenv("UMOCKDEV_DIR", directory.c_str(), 0);
        }
    }
    // At exit, once no testbed can be made any more.
    ~SwitchedOffTestbed() {
        if (!directory.empty()) {
            std::remove(flag().c_str());
            rmdir(directory.c_str());
        }
    }
    SwitchedOffTestbed(const SwitchedOffTestbed&) = delete;
    SwitchedOffTestbed& operator=(const SwitchedOffTestbed&) = delete;

private:
    std::string flag() const { return directory + "/disabled"; }

    std::string directory;
};

const SwitchedOffTestbed switchedOffTestbed;

std::string takeError(GError* error) {
    std::string message = error ? error->message : "unknown error";
    g_clear_error(&error);
    return message;
}

} // namespace

std::shared_ptr<SimulatedTestbed> SimulatedTestbed::processWide() {
    static const std::shared_ptr<SimulatedTestbed> testbed = std::make_shared<SimulatedTestbed>();
    return testbed;
}

SimulatedTestbed::SimulatedTestbed()
    : testbed(umockdev_testbed_new()) {
    // Asked only once a testbed exists: umockdev caches the first answer.
    if (!umockdev_in_mock_environment()) {
        g_object_unref(testbed);
        throw std::runtime_error("the umockdev preload library is not loaded "
                                 "(LD_PRELOAD=libumockdev-preload.so.0 or umockdev-wrapper)");
    }
}

SimulatedTestbed::~SimulatedTestbed() {
    g_object_unref(testbed);
}

std::string SimulatedTestbed::rootDir() const {
    gchar* dir = umockdev_testbed_get_root_dir(testbed);
    std::string result = dir;
    g_free(dir);
    return result;
}

void SimulatedTestbed::add(const std::string& record) {
    GError* error = nullptr;
    if (!umockdev_testbed_add_from_string(testbed, record.c_str(), &error))
        throw std::runtime_error("umockdev rejected a device record: " + takeError(error));
}

void SimulatedTestbed::uevent(const std::string& sysfsPath, const char* action) {
    umockdev_testbed_uevent(testbed, sysfsPath.c_str(), action);
}

void SimulatedTestbed::remove(const std::string& sysfsPath) {
    umockdev_testbed_remove_device(testbed, sysfsPath.c_str());
}

bool SimulatedTestbed::attachIoctl(const std::string& devnode, UMockdevIoctlBase* handler) {
    GError* error = nullptr;
    if (umockdev_testbed_attach_ioctl(testbed, devnode.c_str(), handler, &error))
        return true;
    g_clear_error(&error);
    return false;
}

void SimulatedTestbed::detachIoctl(const std::string& devnode) {
    GError* error = nullptr;
    if (!umockdev_testbed_detach_ioctl(testbed, devnode.c_str(), &error))
        g_clear_error(&error);
}

} // namespace sim
