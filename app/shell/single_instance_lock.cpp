#include "single_instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <cstdio>

QString SingleInstanceLock::perUserTempFolder() {
  const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QDir(QString::fromLocal8Bit(runtime)).exists()) {
    return QString::fromLocal8Bit(runtime);
  }
  const QString folder = QDir::temp().filePath(QStringLiteral("vantrel-%1").arg(getuid()));
  ::mkdir(QFile::encodeName(folder).constData(), 0700);
  return folder;
}

QString SingleInstanceLock::defaultLockPath() {
  return QDir(perUserTempFolder())
      .filePath(QStringLiteral("com.vantrel.tether.single-instance.lock"));
}

bool SingleInstanceLock::acquire(const QString& path) {
  release();
  fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) return true;  // no lock possible: run unguarded
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd_);
    fd_ = -1;
    return false;
  }
  if (::ftruncate(fd_, 0) == 0) {
    char text[32];
    const int n = std::snprintf(text, sizeof text, "%d\n", static_cast<int>(getpid()));
    if (::pwrite(fd_, text, static_cast<size_t>(n), 0) < 0) {
      // The lock itself is what matters; the process id is only for people looking.
    }
  }
  return true;
}

void SingleInstanceLock::release() {
  if (fd_ >= 0) {
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
  }
}
