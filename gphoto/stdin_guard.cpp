#include "stdin_guard.h"

#include <fcntl.h>
#include <unistd.h>

namespace gphoto {

StdinGuard::StdinGuard() : copy_(::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 3)) {}

StdinGuard::~StdinGuard() {
  if (copy_ < 0) return;
  // Descriptor 0 closed under us: the same open file goes back in its place.
  if (::fcntl(STDIN_FILENO, F_GETFD) == -1) ::dup2(copy_, STDIN_FILENO);
  ::close(copy_);
}

}  // namespace gphoto
