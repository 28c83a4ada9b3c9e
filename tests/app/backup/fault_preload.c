// Loaded with LD_PRELOAD into a program under test: makes the file system calls for paths inside
// the folder $VANTREL_FAULT_FOLDER fail the way a difficult drive does. $VANTREL_FAULT says how:
//   chmod       permission changes fail with EOPNOTSUPP (an SMB share, a FAT drive)
//   unreadable  opening a file for reading fails with EACCES
//   names       creating a file or folder fails with EINVAL (a name the drive refuses)
//   full        writing fails with ENOSPC
//   flush       flushing a file fails with EIO (a drive pulled while it writes back)
//   flush-folder  flushing a folder fails with EIO
#define _GNU_SOURCE
// Our definitions of open() and friends must not meet the fortified inline ones.
#undef _FORTIFY_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

static int faultIs(const char* kind) {
  const char* fault = getenv("VANTREL_FAULT");
  return fault != NULL && strcmp(fault, kind) == 0;
}

static int inFolder(const char* path) {
  const char* folder = getenv("VANTREL_FAULT_FOLDER");
  if (folder == NULL || path == NULL) return 0;
  const size_t length = strlen(folder);
  return strncmp(path, folder, length) == 0 && (path[length] == '\0' || path[length] == '/');
}

static int fdInFolder(int fd) {
  char link[64];
  char target[PATH_MAX];
  snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t length = readlink(link, target, sizeof target - 1);
  if (length < 0) return 0;
  target[length] = '\0';
  return inFolder(target);
}

static int fail(int error) {
  errno = error;
  return -1;
}

typedef void (*AnyFunction)(void);

// The real function that ours stands in front of.
static AnyFunction nextFunction(const char* name) {
  void* symbol = dlsym(RTLD_NEXT, name);
  AnyFunction function;
  memcpy(&function, &symbol, sizeof function);
  return function;
}

#define NEXT(name) ((__typeof__(&name))nextFunction(#name))

static int openRefused(const char* path, int flags) {
  if (!inFolder(path)) return 0;
  if (faultIs("unreadable") && (flags & O_ACCMODE) == O_RDONLY) return EACCES;
  if (faultIs("names") && (flags & O_CREAT) != 0) return EINVAL;
  return 0;
}

static mode_t modeOf(int flags, va_list args) {
  return (flags & (O_CREAT | O_TMPFILE)) != 0 ? (mode_t)va_arg(args, int) : 0;
}

// open() and its variants differ only in the real function they pass the call on to.
#define FAULTY_OPEN(name, parameters, arguments)                \
  int name parameters {                                         \
    va_list rest;                                               \
    va_start(rest, flags);                                      \
    const mode_t mode = modeOf(flags, rest);                    \
    va_end(rest);                                               \
    const int refused = openRefused(path, flags);               \
    return refused != 0 ? fail(refused) : NEXT(name) arguments; \
  }

FAULTY_OPEN(open, (const char* path, int flags, ...), (path, flags, mode))
FAULTY_OPEN(open64, (const char* path, int flags, ...), (path, flags, mode))
FAULTY_OPEN(openat, (int dir, const char* path, int flags, ...), (dir, path, flags, mode))
FAULTY_OPEN(openat64, (int dir, const char* path, int flags, ...), (dir, path, flags, mode))

int mkdir(const char* path, mode_t mode) {
  if (faultIs("names") && inFolder(path)) return fail(EINVAL);
  return NEXT(mkdir)(path, mode);
}

int mkdirat(int dir, const char* path, mode_t mode) {
  if (faultIs("names") && inFolder(path)) return fail(EINVAL);
  return NEXT(mkdirat)(dir, path, mode);
}

int chmod(const char* path, mode_t mode) {
  if (faultIs("chmod") && inFolder(path)) return fail(EOPNOTSUPP);
  return NEXT(chmod)(path, mode);
}

int lchmod(const char* path, mode_t mode) {
  if (faultIs("chmod") && inFolder(path)) return fail(EOPNOTSUPP);
  int (*next)(const char*, mode_t) = (int (*)(const char*, mode_t))nextFunction("lchmod");
  return next != NULL ? next(path, mode) : fail(ENOSYS);
}

int fchmod(int fd, mode_t mode) {
  if (faultIs("chmod") && fdInFolder(fd)) return fail(EOPNOTSUPP);
  return NEXT(fchmod)(fd, mode);
}

int fchmodat(int dir, const char* path, mode_t mode, int flags) {
  if (faultIs("chmod") && inFolder(path)) return fail(EOPNOTSUPP);
  return NEXT(fchmodat)(dir, path, mode, flags);
}

ssize_t write(int fd, const void* data, size_t size) {
  if (faultIs("full") && fdInFolder(fd)) return fail(ENOSPC);
  return NEXT(write)(fd, data, size);
}

ssize_t copy_file_range(int in, off64_t* inOffset, int out, off64_t* outOffset, size_t size,
                        unsigned int flags) {
  if (faultIs("full") && fdInFolder(out)) return fail(ENOSPC);
  return NEXT(copy_file_range)(in, inOffset, out, outOffset, size, flags);
}

static int isFolder(int fd) {
  struct stat info;
  return fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
}

int fsync(int fd) {
  if ((faultIs("flush") || faultIs("flush-folder")) && fdInFolder(fd) &&
      isFolder(fd) == faultIs("flush-folder"))
    return fail(EIO);
  return NEXT(fsync)(fd);
}
