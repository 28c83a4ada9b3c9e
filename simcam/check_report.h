// Collects what VANTREL_SIM_CHECK=1 reports: unreleased refs, calls made before initialise or
// after terminate, bad refs, and directory items released without EdsDownloadComplete or
// EdsDownloadCancel. Each finding becomes one "SIMCAM_CHECK|..." line on standard error when the
// report is flushed (at EdsTerminateSDK and at library unload).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace simcam {

class CheckReport {
 public:
  void add(std::string finding);
  // Prints what was collected (when VANTREL_SIM_CHECK=1) and forgets it.
  void flush();

 private:
  // A caller stuck in a loop of bad calls should not grow this without bound.
  static constexpr std::size_t kMaxFindings = 200;

  std::vector<std::string> findings_;
  std::size_t dropped_ = 0;
};

}  // namespace simcam
