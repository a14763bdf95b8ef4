#include "platform/pfInstance.h"

#include <QDir>
#include <QStandardPaths>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

QString InstanceLockPath(const QString& name) {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath();
  return dir + "/remont-" + QString::number(getuid()) + "-" + name + ".lock";
}

namespace {
int& lockDescriptor() {
  static int fd = -1;
  return fd;
}
}  // namespace

void ReleaseSingleInstance() {
  if (lockDescriptor() < 0) return;
  ::close(lockDescriptor());
  lockDescriptor() = -1;
}

bool AcquireSingleInstance(const QString& name) {
  const QByteArray path = QFile::encodeName(InstanceLockPath(name));
  const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return true;  // no place for a lock: running twice is better than not running
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  lockDescriptor() = fd;
  return true;  // the descriptor stays open, and the lock held, for the life of the process
}

}  // namespace platform
