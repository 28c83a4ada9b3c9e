// Drives the bridge's entry points as the worker does, over a scripted libgphoto2, in a temp HOME
// whose ~/.gphoto/settings stands for the user's.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "fake_gphoto_api.h"
#include "gphoto_library.h"

class BridgeTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Initialises, lists, takes the first camera, registers handlers, opens the session and sets
  // the save target, as a worker's connect does; returns the open session's result.
  EdsError connect(int32_t save_to = eds::kSaveToHost);
  EdsError set_save_to(int32_t value);
  void pump() { library_->get_event(); }
  // Downloads an item into the temp folder as the worker does; returns the first failing code.
  EdsError download(EdsBaseRef item, std::string& bytes);
  std::string settings_text() const;

  static EdsError on_object(uint32_t event, EdsBaseRef ref, void* context);
  static EdsError on_state(uint32_t event, uint32_t param, void* context);

  std::filesystem::path dir_;
  std::filesystem::path settings_path_;
  FakeGphotoApi* api_ = nullptr;
  FakeAutomounter* automounter_ = nullptr;
  std::vector<std::string> log_;
  std::unique_ptr<gphoto::GphotoLibrary> library_;
  EdsCameraRef camera_ = nullptr;
  std::vector<EdsBaseRef> items_;
  std::vector<uint32_t> state_events_;
};
