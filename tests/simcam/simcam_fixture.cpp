#include "simcam_fixture.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

extern char** environ;

namespace fs = std::filesystem;

void SimCamTest::SetUp() {
  std::vector<std::string> names;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    if (text.rfind("VANTREL_SIM_", 0) == 0) names.push_back(text.substr(0, text.find('=')));
  }
  for (const std::string& name : names) unsetenv(name.c_str());
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  dir_ = fs::temp_directory_path() / ("simcam_" + std::to_string(getpid()) + "_" +
                                      test->test_suite_name() + "_" + test->name());
  fs::remove_all(dir_);
  fs::create_directories(dir_);
  lib_ = std::make_unique<SimLibrary>();
  ASSERT_TRUE(lib_->loaded());
}

void SimCamTest::TearDown() {
  lib_.reset();
  fs::remove_all(dir_);
}

void SimCamTest::set(const char* name, const std::string& value) {
  setenv(name, value.c_str(), 1);
}

void SimCamTest::append(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::app) << text;
}

uint32_t SimCamTest::list_count() {
  EdsCameraListRef list = nullptr;
  EXPECT_EQ(lib().EdsGetCameraList(&list), eds::kOk);
  uint32_t count = 0;
  EXPECT_EQ(lib().EdsGetChildCount(list, &count), eds::kOk);
  EXPECT_EQ(lib().EdsRelease(list), 0u);
  return count;
}

EdsCameraRef SimCamTest::first_camera() {
  EdsCameraListRef list = nullptr;
  EXPECT_EQ(lib().EdsGetCameraList(&list), eds::kOk);
  EdsCameraRef camera = nullptr;
  EXPECT_EQ(lib().EdsGetChildAtIndex(list, 0, &camera), eds::kOk);
  lib().EdsRelease(list);
  return camera;
}

EdsCameraRef SimCamTest::connect(bool handlers) {
  EXPECT_EQ(init(), eds::kOk);
  EdsCameraRef camera = first_camera();
  if (handlers) {
    EXPECT_EQ(lib().EdsSetObjectEventHandler(camera, eds::kObjectEventAll, on_object, this),
              eds::kOk);
    EXPECT_EQ(lib().EdsSetCameraStateEventHandler(camera, eds::kStateEventAll, on_state, this),
              eds::kOk);
  }
  EXPECT_EQ(lib().EdsOpenSession(camera), eds::kOk);
  EXPECT_EQ(set_save_to(camera, eds::kSaveToHost), eds::kOk);
  return camera;
}

EdsError SimCamTest::set_save_to(EdsCameraRef camera, int32_t value) {
  return lib().EdsSetPropertyData(camera, eds::kPropSaveTo, 0, sizeof value, &value);
}

EdsError SimCamTest::shoot(EdsCameraRef camera) {
  return lib().EdsSendCommand(camera, eds::kCameraCommandPressShutterButton,
                              eds::kShutterButtonCompletely);
}

void SimCamTest::pump(int times) {
  for (int i = 0; i < times; ++i) EXPECT_EQ(lib().EdsGetEvent(), eds::kOk);
}

void SimCamTest::finish(EdsCameraRef camera) {
  for (EdsBaseRef item : items_) {
    lib().EdsDownloadCancel(item);
    lib().EdsRelease(item);
  }
  items_.clear();
  EXPECT_EQ(lib().EdsCloseSession(camera), eds::kOk);
  EXPECT_EQ(lib().EdsRelease(camera), 0u);
  EXPECT_EQ(lib().EdsTerminateSDK(), eds::kOk);
}

EdsDirectoryItemInfo SimCamTest::info(EdsBaseRef item) {
  EdsDirectoryItemInfo result{};
  EXPECT_EQ(lib().EdsGetDirectoryItemInfo(item, &result), eds::kOk);
  return result;
}

EdsError SimCamTest::download(EdsBaseRef item, std::vector<uint8_t>& bytes) {
  const fs::path path = dir_ / ("download_" + std::to_string(++downloads_));
  EdsStreamRef stream = nullptr;
  EXPECT_EQ(lib().EdsCreateFileStream(path.c_str(), eds::kFileCreateDispositionCreateAlways,
                                      eds::kAccessReadWrite, &stream),
            eds::kOk);
  const EdsError result = lib().EdsDownload(item, info(item).size, stream);
  EXPECT_EQ(lib().EdsRelease(stream), 0u);
  std::ifstream in(path, std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(in), {});
  return result;
}

EdsError SimCamTest::on_object(uint32_t event, EdsBaseRef ref, void* context) {
  EXPECT_EQ(event, eds::kObjectEventDirItemRequestTransfer);
  static_cast<SimCamTest*>(context)->items_.push_back(ref);
  return eds::kOk;
}

EdsError SimCamTest::on_state(uint32_t event, uint32_t /*param*/, void* context) {
  static_cast<SimCamTest*>(context)->state_events_.push_back(event);
  return eds::kOk;
}

EdsError SimCamTest::on_added(void* context) {
  ++static_cast<SimCamTest*>(context)->cameras_added_;
  return eds::kOk;
}
