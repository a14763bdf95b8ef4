// One running copy per user. The lock is a kernel file lock, so it is released when the process
// ends however it ends; a crashed copy never keeps the next one from starting.
#pragma once

#include <QString>

namespace platform {

// Takes the lock called `name`; false when another running process holds it. The lock is held
// until the process ends.
bool AcquireSingleInstance(const QString& name);

// Lets go of the lock before the process ends, so that a new copy started now can take it.
void ReleaseSingleInstance();

// The file that carries the lock called `name`, in a folder only this user can reach.
QString InstanceLockPath(const QString& name);

}  // namespace platform
