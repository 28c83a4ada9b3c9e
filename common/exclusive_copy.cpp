#include "exclusive_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "file_descriptor.h"

namespace vantrel {

namespace {

std::error_code lastError() {
  return {errno != 0 ? errno : EIO, std::generic_category()};
}

CopyFailure sourceFailure() {
  return {lastError(), true};
}

CopyFailure destinationFailure() {
  return {lastError(), false};
}

bool writeAll(int fd, const char* data, ssize_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, static_cast<std::size_t>(size));
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= written;
  }
  return true;
}

// Reads and writes from both files' current offsets to the end of `in`.
bool copyByReadAndWrite(int in, int out, CopyFailure& failure) {
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(in, buffer, sizeof buffer);
    if (got == 0) return true;
    if (got < 0) {
      if (errno == EINTR) continue;
      failure = sourceFailure();
      return false;
    }
    if (!writeAll(out, buffer, got)) {
      failure = destinationFailure();
      return false;
    }
  }
}

bool destinationIsFull(int error) {
  return error == ENOSPC || error == EDQUOT;
}

// How much is copied before its write-out to the disk is started.
constexpr std::size_t kWriteOutChunk = 8u << 20;

bool copyBytes(int in, int out, CopyFailure& failure) {
  // The kernel copies without the bytes passing through us, server side on some shares. Any
  // other failure than a full disk (no support across these file systems, or a read or write
  // error) goes on by read and write from where it stopped, which also tells which side failed.
  // Each chunk's write-out starts at once, so that the flush at the end waits for little more
  // than the last chunk instead of the whole file.
  off64_t done = 0;
  for (;;) {
    const ssize_t copied = ::copy_file_range(in, nullptr, out, nullptr, kWriteOutChunk, 0);
    if (copied == 0) return true;
    if (copied > 0) {
      ::sync_file_range(out, done, copied, SYNC_FILE_RANGE_WRITE);
      done += copied;
      continue;
    }
    if (errno == EINTR) continue;
    if (destinationIsFull(errno)) {
      failure = destinationFailure();
      return false;
    }
    return copyByReadAndWrite(in, out, failure);
  }
}

// Mode and modification time are a courtesy: many shares and FAT drives refuse to change them.
void carryOverAttributes(int in, int out) {
  struct stat source {};
  if (::fstat(in, &source) != 0) return;
  const struct timespec times[2] = {source.st_atim, source.st_mtim};
  [[maybe_unused]] const int timesSet = ::futimens(out, times);
  [[maybe_unused]] const int modeSet = ::fchmod(out, source.st_mode & 07777);
}

}  // namespace

bool copy_file_exclusively(const std::filesystem::path& from, const std::filesystem::path& to,
                           CopyFailure& failure, CopyFlush flush) {
  failure = {};
  FileDescriptor in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (!in.valid()) {
    failure = sourceFailure();
    return false;
  }
  FileDescriptor out(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (!out.valid()) {
    failure = destinationFailure();
    return false;
  }
  bool copied = copyBytes(in.get(), out.get(), failure);
  if (copied) {
    carryOverAttributes(in.get(), out.get());
    // Callers delete or count the source as safe next, so the copy must really be on the disk
    // (now, or by the caller's flush before it counts).
    copied = (flush == CopyFlush::by_caller || ::fsync(out.get()) == 0) && out.close();
    if (!copied) failure = destinationFailure();
  }
  if (!copied) ::unlink(to.c_str());
  return copied;
}

bool copy_file_exclusively(const std::filesystem::path& from, const std::filesystem::path& to,
                           std::error_code& error) {
  CopyFailure failure;
  const bool copied = copy_file_exclusively(from, to, failure);
  error = failure.error;
  return copied;
}

}  // namespace vantrel
