// Runs one backup copy job and prints its outcome, error text and copy, a line each: the tests
// start it with a library preloaded that makes the drive misbehave.
#include <iostream>

#include "copy_job.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: backup_copy_probe SOURCE BACKUP_FOLDER DESTINATION TARGET_FOLDER\n";
    return 2;
  }
  const vantrel::backup::CopyJob job{argv[1], argv[2], argv[3], nullptr, argv[4]};
  const vantrel::backup::CopyResult result = vantrel::backup::runCopyJob(job);
  std::cout << static_cast<int>(result.outcome) << '\n'
            << result.errorText << '\n'
            << result.copiedTo << std::endl;
  return 0;
}
