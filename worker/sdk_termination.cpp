#include "sdk_termination.h"

SdkTermination full_reset_termination(bool terminate_bound, bool camera_left, bool session_open,
                                      bool terminate_option) {
  if (!terminate_bound) return SdkTermination::Skip;
  if (!camera_left && !session_open) return SdkTermination::Safe;
  return terminate_option ? SdkTermination::ByOption : SdkTermination::Skip;
}
