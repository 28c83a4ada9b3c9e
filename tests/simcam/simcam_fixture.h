// Drives the simulated camera library through its C entry points, as the worker does. Each test
// starts with a freshly loaded library, no VANTREL_SIM_* variables and its own temp directory.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "sim_library.h"

class SimCamTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  SimLibrary& lib() { return *lib_; }
  void set(const char* name, const std::string& value);
  void append(const std::filesystem::path& path, const std::string& text);

  EdsError init() { return lib().EdsInitializeSDK(); }
  // Lists the cameras and returns how many there are.
  uint32_t list_count();
  // A new ref to the first camera listed.
  EdsCameraRef first_camera();
  // Initialises, takes the first camera, opens its session, saves to the host and (unless told
  // not to) registers the object and state handlers that record into this fixture.
  EdsCameraRef connect(bool handlers = true);
  EdsError set_save_to(EdsCameraRef camera, int32_t value);
  EdsError shoot(EdsCameraRef camera);
  void pump(int times = 1);
  // Ends the run the tidy way: items and camera released, session closed, terminated.
  void finish(EdsCameraRef camera);

  EdsDirectoryItemInfo info(EdsBaseRef item);
  std::string name_of(EdsBaseRef item) { return info(item).szFileName; }
  // Downloads into a new file in the temp directory; returns the call's result and the file.
  EdsError download(EdsBaseRef item, std::vector<uint8_t>& bytes);

  static EdsError on_object(uint32_t event, EdsBaseRef ref, void* context);
  static EdsError on_state(uint32_t event, uint32_t param, void* context);
  static EdsError on_added(void* context);

  std::filesystem::path dir_;
  std::unique_ptr<SimLibrary> lib_;
  std::vector<EdsBaseRef> items_;  // delivered transfer requests, in order
  std::vector<uint32_t> state_events_;
  int cameras_added_ = 0;
  int downloads_ = 0;
};
