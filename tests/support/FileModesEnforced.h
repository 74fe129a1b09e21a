#pragma once
// While it lives, the calling thread meets the file modes as a user without privileges does: a
// test running as root drops its power to open what the modes refuse (CAP_DAC_OVERRIDE), and
// gets it back at the end. Other threads keep theirs.

namespace sim {

class FileModesEnforced {
public:
    FileModesEnforced();
    ~FileModesEnforced();
    FileModesEnforced(const FileModesEnforced&) = delete;
    FileModesEnforced& operator=(const FileModesEnforced&) = delete;

private:
    bool dropped = false;
};

} // namespace sim
