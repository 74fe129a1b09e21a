#pragma once
// An umockdev testbed: a private sysfs and /dev tree that the umockdev preload library shows
// to this process (and to children started with its directory in UMOCKDEV_DIR).

#include <memory>
#include <string>

struct _UMockdevTestbed;
struct _UMockdevIoctlBase;

namespace sim {

class SimulatedTestbed {
public:
    // The testbed of this process, made on first use and freed at exit. The code under test
    // keeps process-wide USB and udev contexts (libusb's udev monitor is one per process), which
    // see only the testbed that existed when they were made: every camera of the process is
    // plugged into this one, as cameras come and go on one machine.
    static std::shared_ptr<SimulatedTestbed> processWide();

    // Throws std::runtime_error when the process does not run under the umockdev preload.
    SimulatedTestbed();
    ~SimulatedTestbed();
    SimulatedTestbed(const SimulatedTestbed&) = delete;
    SimulatedTestbed& operator=(const SimulatedTestbed&) = delete;

    std::string rootDir() const;

    // Adds the devices of an umockdev record; each one announces itself with an "add" uevent.
    void add(const std::string& record);
    void uevent(const std::string& sysfsPath, const char* action);
    void remove(const std::string& sysfsPath);

    bool attachIoctl(const std::string& devnode, _UMockdevIoctlBase* handler);
    void detachIoctl(const std::string& devnode);

private:
    _UMockdevTestbed* testbed;
};

} // namespace sim
