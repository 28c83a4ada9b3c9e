#include "status_output.h"

#include <cstdio>

namespace ptpipcam {

void StatusOutput::line(const std::string& text) {
  std::lock_guard lock(mutex_);
  std::fputs((text + "\n").c_str(), stdout);
  std::fflush(stdout);
}

void StatusOutput::trace(const std::string& text) {
  if (verbose_) error(text);
}

void StatusOutput::error(const std::string& text) {
  std::lock_guard lock(mutex_);
  std::fputs(("vantrel_ptpip_camera: " + text + "\n").c_str(), stderr);
}

}  // namespace ptpipcam
