// Single instance through QLockFile in the user's runtime directory.
#include "platform/files/instance_lock.h"

#include <QDir>
#include <QLockFile>
#include <cstdlib>

namespace vr {

namespace {

QString lock_path() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const QString dir =
        (runtime && *runtime && QDir(runtime).exists()) ? QString::fromLocal8Bit(runtime) : QDir::tempPath();
    return dir + "/beroran.lock";
}

}  // namespace

InstanceLock::InstanceLock() : lock_(std::make_unique<QLockFile>(lock_path())) {
    // A stale time of 0 lets the lock of a crashed copy (dead pid) be taken over at once.
    lock_->setStaleLockTime(0);
}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::try_lock() {
    return lock_->tryLock(0);
}

}  // namespace vr
