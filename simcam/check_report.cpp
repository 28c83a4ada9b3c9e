#include "check_report.h"

#include <cstdio>

#include "sim_config.h"

namespace simcam {

void CheckReport::add(std::string finding) {
  if (findings_.size() < kMaxFindings) {
    findings_.push_back(std::move(finding));
  } else {
    ++dropped_;
  }
}

void CheckReport::flush() {
  if (dropped_ > 0) findings_.push_back("more findings=" + std::to_string(dropped_));
  if (check_enabled()) {
    for (const std::string& finding : findings_) {
      const std::string line = "SIMCAM_CHECK|" + finding + "\n";
      std::fwrite(line.data(), 1, line.size(), stderr);
    }
    std::fflush(stderr);
  }
  findings_.clear();
  dropped_ = 0;
}

}  // namespace simcam
