#include "termination_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

namespace {

// The handler only writes the signal's number here; the main thread reads it from the other end.
int gSignalPipe[2] = {-1, -1};

void onSignal(int signalNumber) {
  const int saved = errno;
  const unsigned char number = static_cast<unsigned char>(signalNumber);
  [[maybe_unused]] const ssize_t written = ::write(gSignalPipe[1], &number, 1);
  errno = saved;
}

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, gSignalPipe) != 0) {
    return;
  }
  _notifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, this);
  connect(_notifier, &QSocketNotifier::activated, this, [this] {
    unsigned char number = 0;
    while (::read(gSignalPipe[0], &number, 1) == 1) emit terminationRequested(number);
  });
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signalNumber : kSignals) ::sigaction(signalNumber, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
  for (const int signalNumber : kSignals) ::signal(signalNumber, SIG_DFL);
  delete _notifier;
  for (int& fd : gSignalPipe) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}
