// Whether the full reset of a disconnect may terminate the SDK. Terminating while the camera may
// still hold a session is what the vendor warns against; VANTREL_CPP_TERMINATE_SDK_ON_MAC asks
// for it anyway.
#pragma once

enum class SdkTermination {
  Skip,      // a camera or session may remain: the process exit cleans up
  Safe,      // nothing of the camera remains ("reason=safe_no_open_session")
  ByOption,  // something may remain, and the option asks for it ("reason=env")
};

SdkTermination full_reset_termination(bool terminate_bound, bool camera_left, bool session_open,
                                      bool terminate_option);
