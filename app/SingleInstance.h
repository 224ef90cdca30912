// The system-wide "RCP-720" lock: the first copy of the program holds it
// until the process ends (the system releases it even after a crash); a
// later copy finds it taken and runs as the second instance.
#pragma once
#include <string>

namespace qx {

class SingleInstance {
public:
    // Default lock file: $XDG_RUNTIME_DIR/RCP-720.lock, else /tmp/RCP-720-<uid>.lock.
    static std::string defaultLockPath();

    explicit SingleInstance(std::string lockPath = defaultLockPath());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when another holder had the lock. A lock file that cannot be made
    // at all counts as first instance: the program must still start.
    bool secondInstance() const { return second_; }

private:
    int fd_ = -1;
    bool second_ = false;
};

} // namespace qx
