// Worker processes left over from an earlier run. On Linux a process name is cut at 15
// characters, so processes are matched by their executable instead of their name.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace vantrel::link {

// Processes of user `uid` under `procRoot` whose executable (`<pid>/exe`) is `workerExecutable`,
// apart from `ownWorker` (0 when none runs).
std::vector<pid_t> findStrayWorkers(const std::string& workerExecutable, pid_t ownWorker, uid_t uid,
                                    const std::string& procRoot = "/proc");

}  // namespace vantrel::link
