// The single-instance check: a lock file that a crashed copy cannot leave blocking.
#pragma once

#include <memory>

class QLockFile;

namespace vr {

class InstanceLock {
public:
    InstanceLock();
    ~InstanceLock();
    // True when this process now holds the lock; false when another copy runs.
    bool try_lock();

private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace vr
