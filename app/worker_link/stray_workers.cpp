#include "stray_workers.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

namespace vantrel::link {

std::vector<pid_t> findStrayWorkers(const std::string& workerExecutable, pid_t ownWorker, uid_t uid,
                                    const std::string& procRoot) {
  namespace fs = std::filesystem;
  std::vector<pid_t> found;
  std::error_code error;
  const fs::path wanted = fs::weakly_canonical(workerExecutable, error);
  for (const auto& entry : fs::directory_iterator(procRoot, error)) {
    const std::string name = entry.path().filename().string();
    char* end = nullptr;
    const long pid = std::strtol(name.c_str(), &end, 10);
    if (name.empty() || *end != '\0' || pid < 1 || pid == ownWorker) continue;
    struct stat info {};
    if (::stat(entry.path().c_str(), &info) != 0 || info.st_uid != uid) continue;
    std::error_code linkError;
    const fs::path exe = fs::read_symlink(entry.path() / "exe", linkError);
    if (linkError) continue;
    if (exe == wanted || exe == fs::path(workerExecutable))
      found.push_back(static_cast<pid_t>(pid));
  }
  return found;
}

}  // namespace vantrel::link
