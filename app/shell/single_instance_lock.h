// Keeps a second copy of the application from running for the same user.
#pragma once

#include <QString>

class SingleInstanceLock {
 public:
  ~SingleInstanceLock() { release(); }

  // The per-user folder the lock lives in: $XDG_RUNTIME_DIR, else <temp>/vantrel-<uid> (0700).
  static QString perUserTempFolder();
  static QString defaultLockPath();

  // True when this process may run (also when the lock file cannot be opened at all).
  bool acquire(const QString& path = defaultLockPath());
  void release();
  int fd() const { return fd_; }

 private:
  int fd_ = -1;
};
