#include "bridge_fixture.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

void BridgeTest::SetUp() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  dir_ = fs::temp_directory_path() / ("gphoto_bridge_" + std::to_string(getpid()) + "_" +
                                      test->test_suite_name() + "_" + test->name());
  fs::remove_all(dir_);
  fs::create_directories(dir_ / "home" / ".gphoto");
  settings_path_ = dir_ / "home" / ".gphoto" / "settings";
  setenv("HOME", (dir_ / "home").c_str(), 1);
  unsetenv("VANTREL_GPHOTO_PORT");
  auto api = std::make_unique<FakeGphotoApi>();
  auto automounter = std::make_unique<FakeAutomounter>();
  api_ = api.get();
  automounter_ = automounter.get();
  api_->detected = {{"Canon EOS 90D", "usb:001,005"}};
  library_ = std::make_unique<gphoto::GphotoLibrary>(gphoto::GphotoLibrary::Parts{
      .api = std::move(api),
      .automounter = std::move(automounter),
      .log = [this](const std::string& text) { log_.push_back(text); },
      .settings = gphoto::SettingsFile(settings_path_),
  });
}

void BridgeTest::TearDown() {
  library_.reset();
  fs::remove_all(dir_);
}

EdsError BridgeTest::connect(int32_t save_to) {
  EXPECT_EQ(library_->initialize(), eds::kOk);
  EdsCameraListRef list = nullptr;
  EXPECT_EQ(library_->get_camera_list(&list), eds::kOk);
  EXPECT_EQ(library_->get_child_at_index(list, 0, &camera_), eds::kOk);
  library_->release(list);
  EXPECT_EQ(library_->set_object_event_handler(camera_, eds::kObjectEventAll, on_object, this),
            eds::kOk);
  EXPECT_EQ(library_->set_state_event_handler(camera_, eds::kStateEventAll, on_state, this),
            eds::kOk);
  const EdsError opened = library_->open_session(camera_);
  if (opened == eds::kOk) {
    EXPECT_EQ(set_save_to(save_to), eds::kOk);
  }
  return opened;
}

EdsError BridgeTest::set_save_to(int32_t value) {
  return library_->set_property_data(camera_, eds::kPropSaveTo, 0, sizeof value, &value);
}

EdsError BridgeTest::download(EdsBaseRef item, std::string& bytes) {
  EdsDirectoryItemInfo info{};
  EdsError error = library_->get_directory_item_info(item, &info);
  if (error != eds::kOk) return error;
  const fs::path path = dir_ / info.szFileName;
  EdsStreamRef stream = nullptr;
  error = library_->create_file_stream(path.c_str(), eds::kFileCreateDispositionCreateAlways,
                                       eds::kAccessReadWrite, &stream);
  if (error != eds::kOk) return error;
  error = library_->download(item, info.size, stream);
  if (error == eds::kOk) error = library_->download_complete(item);
  if (error != eds::kOk) library_->download_cancel(item);
  library_->release(stream);
  library_->release(item);
  std::ifstream in(path, std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return error;
}

std::string BridgeTest::settings_text() const {
  std::ifstream in(settings_path_);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

EdsError BridgeTest::on_object(uint32_t event, EdsBaseRef ref, void* context) {
  auto* self = static_cast<BridgeTest*>(context);
  EXPECT_EQ(event, eds::kObjectEventDirItemRequestTransfer);
  self->items_.push_back(ref);
  return eds::kOk;
}

EdsError BridgeTest::on_state(uint32_t event, uint32_t, void* context) {
  static_cast<BridgeTest*>(context)->state_events_.push_back(event);
  return eds::kOk;
}
