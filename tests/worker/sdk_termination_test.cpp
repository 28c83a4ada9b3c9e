// When the full reset of a disconnect terminates the SDK, and the reason it gives.
#include <gtest/gtest.h>

#include "sdk_termination.h"

namespace {

TEST(FullResetTermination, TheOptionDecidesOnlyWhileSomethingOfTheCameraRemains) {
  // Nothing of the camera left: terminated, with or without the option.
  EXPECT_EQ(full_reset_termination(true, false, false, false), SdkTermination::Safe);
  EXPECT_EQ(full_reset_termination(true, false, false, true), SdkTermination::Safe);
  // A camera not released, or a session still open: only when the option asks.
  EXPECT_EQ(full_reset_termination(true, true, false, false), SdkTermination::Skip);
  EXPECT_EQ(full_reset_termination(true, true, false, true), SdkTermination::ByOption);
  EXPECT_EQ(full_reset_termination(true, false, true, false), SdkTermination::Skip);
  EXPECT_EQ(full_reset_termination(true, false, true, true), SdkTermination::ByOption);
  // A library without the entry point is never terminated.
  EXPECT_EQ(full_reset_termination(false, false, false, true), SdkTermination::Skip);
  EXPECT_EQ(full_reset_termination(false, true, true, true), SdkTermination::Skip);
}

}  // namespace
