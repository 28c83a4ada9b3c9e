#include "worker_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/eventfd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QMetaObject>
#include <cerrno>
#include <cstring>
#include <vector>

#include "worker_line_assembler.h"
#include "worker_message.h"
#include "worker_output_lines.h"

namespace {

// Arguments and environment as the C strings exec wants, kept alive by their owner.
class CStrings {
 public:
  explicit CStrings(const QStringList& values) {
    for (const QString& value : values) storage_.push_back(value.toLocal8Bit().toStdString());
    for (std::string& value : storage_) pointers_.push_back(value.data());
    pointers_.push_back(nullptr);
  }
  char* const* data() { return pointers_.data(); }

 private:
  std::vector<std::string> storage_;
  std::vector<char*> pointers_;
};

void closeFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace

WorkerProcess::WorkerProcess(DownloadRoute route, QObject* parent)
    : QObject(parent), route_(std::move(route)) {}

WorkerProcess::~WorkerProcess() {
  kill();
  if (stopFd_ >= 0) {
    const std::uint64_t one = 1;
    static_cast<void>(::write(stopFd_, &one, sizeof one));
  }
  if (reader_.joinable()) reader_.join();
  closeFd(inputFd_);
  closeFd(stopFd_);
}

bool WorkerProcess::start(const QString& program, const QStringList& arguments,
                          const QProcessEnvironment& environment, const QString& workingDirectory,
                          QString* error) {
  // A worker that has gone away must not take the application with it on the next write.
  ::signal(SIGPIPE, SIG_IGN);
  int input[2];
  int output[2];
  if (::pipe2(input, O_CLOEXEC) != 0) {
    if (error) *error = QString::fromLocal8Bit(std::strerror(errno));
    return false;
  }
  if (::pipe2(output, O_CLOEXEC) != 0) {
    if (error) *error = QString::fromLocal8Bit(std::strerror(errno));
    ::close(input[0]);
    ::close(input[1]);
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, output[1], STDERR_FILENO);
  const QByteArray directory = workingDirectory.toLocal8Bit();
  if (!directory.isEmpty()) posix_spawn_file_actions_addchdir_np(&actions, directory.constData());
  CStrings argv(QStringList{program} + arguments);
  CStrings envp(environment.toStringList());
  const QByteArray path = program.toLocal8Bit();
  pid_t pid = 0;
  const int spawned =
      ::posix_spawn(&pid, path.constData(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(input[0]);
  ::close(output[1]);
  if (spawned != 0) {
    if (error) *error = QString::fromLocal8Bit(std::strerror(spawned));
    ::close(input[1]);
    ::close(output[0]);
    return false;
  }
  {
    std::lock_guard lock(mutex_);
    pid_ = pid;
    exited_ = false;
  }
  inputFd_ = input[1];
  stopFd_ = ::eventfd(0, EFD_CLOEXEC);
  reader_ = std::thread([this, fd = output[0]] { readUntilEnd(fd); });
  return true;
}

void WorkerProcess::readUntilEnd(int outputFd) {
  vantrel::link::WorkerLineAssembler assembler;
  std::vector<char> buffer(64 * 1024);
  bool stopping = false;
  for (;;) {
    pollfd fds[2] = {{outputFd, POLLIN, 0}, {stopFd_, POLLIN, 0}};
    // Once asked to stop, only what is already in the pipe is read.
    const int ready = ::poll(fds, stopping ? 1 : 2, stopping ? 0 : -1);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    if (!stopping && (fds[1].revents & POLLIN)) {
      stopping = true;
      continue;
    }
    const ssize_t count = ::read(outputFd, buffer.data(), buffer.size());
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    for (const std::string& line :
         completeWorkerLines(assembler, std::string(buffer.data(), static_cast<size_t>(count)))) {
      const auto message = vantrel::link::parseWorkerLine(line);
      const bool routed = message.kind == vantrel::link::WorkerMessageKind::Downloaded && route_ &&
                          !message.payload.empty();
      if (routed) route_(message.payload);
      QMetaObject::invokeMethod(
          this, [this, line, routed] { emit lineReceived(line, routed); }, Qt::QueuedConnection);
    }
  }
  ::close(outputFd);
  pid_t pid = 0;
  {
    std::lock_guard lock(mutex_);
    pid = pid_;
  }
  // Waited for without reaping first, so that a signal sent meanwhile can never reach another
  // process that took the number.
  siginfo_t info{};
  while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
  }
  {
    std::lock_guard lock(mutex_);
    exited_ = true;
    int status = 0;
    ::waitpid(pid, &status, 0);
  }
  QMetaObject::invokeMethod(
      this, [this] { emit exited(); }, Qt::QueuedConnection);
}

bool WorkerProcess::isRunning() const {
  std::lock_guard lock(mutex_);
  return !exited_;
}

qint64 WorkerProcess::pid() const {
  std::lock_guard lock(mutex_);
  return exited_ ? 0 : pid_;
}

bool WorkerProcess::writeLine(const QString& line) {
  if (!isRunning() || inputFd_ < 0) return false;
  const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
  qsizetype written = 0;
  while (written < bytes.size()) {
    const ssize_t count =
        ::write(inputFd_, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    written += count;
  }
  return true;
}

void WorkerProcess::signal(int signalNumber) {
  std::lock_guard lock(mutex_);
  if (!exited_ && pid_ > 0) ::kill(pid_, signalNumber);
}

void WorkerProcess::terminate() {
  signal(SIGTERM);
}

void WorkerProcess::kill() {
  signal(SIGKILL);
}
