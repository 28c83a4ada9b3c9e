// New files, downloads, deletions and a camera that goes away, over a scripted libgphoto2.
#include <gphoto2/gphoto2-result.h>

#include "bridge_fixture.h"

namespace {

const std::string kFolder = "/store_00010001/DCIM/100CANON";

TEST_F(BridgeTest, EachNewFileBecomesATransferRequestWithItsFolderNameAndSize) {
  ASSERT_EQ(connect(eds::kSaveToBoth), eds::kOk);
  api_->add_file(kFolder, "IMG_0001.CR2", std::string(700, 'r'));
  api_->events.push_back({gphoto::CameraEvent::Kind::Other, "", ""});
  api_->add_file(kFolder, "IMG_0001.JPG", std::string(300, 'j'));
  pump();
  ASSERT_EQ(items_.size(), 2u);
  EdsDirectoryItemInfo info{};
  ASSERT_EQ(library_->get_directory_item_info(items_[1], &info), eds::kOk);
  EXPECT_STREQ(info.szFileName, "IMG_0001.JPG");
  EXPECT_EQ(info.size, 300u);
  EXPECT_EQ(info.format, 0x3801u);
  EXPECT_EQ(info.isFolder, 0);
  EXPECT_EQ(info.dateTime, 1700000000u);
  // Event checks never wait long, and never pass 0 (for USB that would wait for ever).
  for (int timeout : api_->wait_timeouts) {
    EXPECT_GT(timeout, 0);
    EXPECT_LE(timeout, gphoto::GphotoSession::kEventWaitMs);
  }
}

TEST_F(BridgeTest, ADownloadWritesTheExactBytesAndComputerOnlyDeletesTheCamerasCopy) {
  ASSERT_EQ(connect(eds::kSaveToHost), eds::kOk);
  const std::string bytes = "\xFF\xD8 a photo \0 with a zero byte \xFF\xD9";
  api_->add_file(kFolder, "IMG_0002.JPG", bytes);
  pump();
  ASSERT_EQ(items_.size(), 1u);
  std::string downloaded;
  EXPECT_EQ(download(items_[0], downloaded), eds::kOk);
  EXPECT_EQ(downloaded, bytes);
  EXPECT_EQ(api_->deleted, std::vector<std::string>{kFolder + "/IMG_0002.JPG"});
}

TEST_F(BridgeTest, CardModesAndFailedDownloadsLeaveTheFileOnTheCamera) {
  ASSERT_EQ(connect(eds::kSaveToBoth), eds::kOk);
  api_->add_file(kFolder, "IMG_0003.JPG", "both");
  pump();
  std::string downloaded;
  EXPECT_EQ(download(items_.at(0), downloaded), eds::kOk);

  ASSERT_EQ(set_save_to(eds::kSaveToHost), eds::kOk);
  api_->add_file(kFolder, "IMG_0004.JPG", "fails");
  api_->download_result = GP_ERROR_IO_READ;
  pump();
  EXPECT_EQ(download(items_.at(1), downloaded), eds::kCommDisconnected);
  EXPECT_TRUE(api_->deleted.empty());
  EXPECT_EQ(api_->files.size(), 2u);
}

TEST_F(BridgeTest, ADownloadShorterThanTheFileIsRefusedAndNothingIsDeleted) {
  ASSERT_EQ(connect(eds::kSaveToHost), eds::kOk);
  api_->add_file(kFolder, "IMG_0005.JPG", "twelve bytes");
  pump();
  api_->files[kFolder + "/IMG_0005.JPG"] = "short";  // the camera sends less than it announced
  std::string downloaded;
  EXPECT_EQ(download(items_.at(0), downloaded), eds::kFileIoError);
  EXPECT_TRUE(api_->deleted.empty());
}

TEST_F(BridgeTest, AnIoErrorEndsTheSessionWithOneShutdownEventAndDropsWhatWasNotDelivered) {
  ASSERT_EQ(connect(), eds::kOk);
  api_->event_results = {GP_ERROR_IO};
  api_->add_file(kFolder, "IMG_0006.JPG", "never fetched");
  pump();
  pump();
  EXPECT_EQ(state_events_, std::vector<uint32_t>{eds::kStateEventShutdown});
  EXPECT_TRUE(items_.empty());
  EXPECT_EQ(api_->closes, 1);
  EXPECT_EQ(library_->send_command(camera_, eds::kCameraCommandPressShutterButton,
                                   eds::kShutterButtonCompletely),
            eds::kCommDisconnected);
  // A reconnect: the worker closes and releases the old ref, lists again and opens a new session.
  EXPECT_EQ(library_->close_session(camera_), eds::kOk);
  library_->release(camera_);
  ASSERT_EQ(connect(), eds::kOk);
  pump();
  ASSERT_EQ(items_.size(), 1u) << "the file is announced again by the new session";
}

TEST_F(BridgeTest, OtherErrorsEndTheSessionOnlyWhenTheyRepeat) {
  ASSERT_EQ(connect(), eds::kOk);
  api_->event_results = {GP_ERROR, GP_ERROR, GP_OK, GP_ERROR, GP_ERROR};
  for (int i = 0; i < 6; ++i) pump();
  EXPECT_TRUE(state_events_.empty()) << "never three in a row";
  api_->event_results = {GP_ERROR, GP_ERROR, GP_ERROR};
  for (int i = 0; i < 3; ++i) pump();
  EXPECT_EQ(state_events_, std::vector<uint32_t>{eds::kStateEventShutdown});
}

TEST_F(BridgeTest, AnItemOfAnEarlierSessionIsNotFetchedFromTheNewOne) {
  ASSERT_EQ(connect(eds::kSaveToHost), eds::kOk);
  api_->add_file(kFolder, "IMG_0007.JPG", "old session");
  pump();
  ASSERT_EQ(items_.size(), 1u);
  ASSERT_EQ(library_->close_session(camera_), eds::kOk);
  ASSERT_EQ(library_->open_session(camera_), eds::kOk);
  std::string downloaded;
  EXPECT_EQ(download(items_[0], downloaded), eds::kCommDisconnected);
  EXPECT_TRUE(api_->deleted.empty());
}

}  // namespace
