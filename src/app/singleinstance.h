#pragma once

#include <QLockFile>
#include <QString>

namespace talven {

// The lock that keeps a second copy of the program from starting. It lives in
// the user's runtime folder, so each user runs one copy. A copy that crashed
// leaves its lock file behind; the next start sees that the process named in
// it is gone and takes the lock over.
class SingleInstance {
public:
    explicit SingleInstance(const QString &lockPath = defaultLockPath());

    // True when another running copy holds the lock. Otherwise this object
    // holds it until it is destroyed.
    bool anotherCopyRuns();

    static QString defaultLockPath();

private:
    QLockFile lock_;
};

}  // namespace talven
