// Shots, transfer requests and downloads.
#include <algorithm>
#include <chrono>
#include <thread>

#include "simcam_fixture.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#include <stb_image.h>

namespace {

struct Decoded {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;
};

Decoded decode(const std::vector<uint8_t>& jpeg) {
  Decoded image;
  int channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(jpeg.data(), static_cast<int>(jpeg.size()), &image.width,
                                          &image.height, &channels, 3);
  if (pixels == nullptr) return image;
  image.pixels.assign(pixels, pixels + image.width * image.height * 3);
  stbi_image_free(pixels);
  return image;
}

TEST_F(SimCamTest, ShutterPressIsDeliveredOnlyWhilePumping) {
  set("VANTREL_SIM_FIRST_NUMBER", "42");
  EdsCameraRef camera = connect();
  ASSERT_EQ(shoot(camera), eds::kOk);
  EXPECT_TRUE(items_.empty());
  pump();
  ASSERT_EQ(items_.size(), 1u);
  const EdsDirectoryItemInfo item = info(items_[0]);
  EXPECT_STREQ(item.szFileName, "IMG_0042.JPG");
  EXPECT_EQ(item.size, 200000u);
  EXPECT_EQ(item.isFolder, 0);
  finish(camera);
}

TEST_F(SimCamTest, SavingToTheCardSendsNoTransferRequestButUsesUpTheNumber) {
  EdsCameraRef camera = connect();
  ASSERT_EQ(set_save_to(camera, eds::kSaveToCamera), eds::kOk);
  ASSERT_EQ(shoot(camera), eds::kOk);
  pump();
  EXPECT_TRUE(items_.empty());
  ASSERT_EQ(set_save_to(camera, eds::kSaveToBoth), eds::kOk);
  ASSERT_EQ(shoot(camera), eds::kOk);
  pump();
  ASSERT_EQ(items_.size(), 1u);
  EXPECT_EQ(name_of(items_[0]), "IMG_0002.JPG");
  finish(camera);
}

TEST_F(SimCamTest, TransferRequestsWaitForAnObjectHandler) {
  EdsCameraRef camera = connect(false);
  ASSERT_EQ(shoot(camera), eds::kOk);
  pump(2);
  ASSERT_EQ(lib().EdsSetObjectEventHandler(camera, eds::kObjectEventDirItemRequestTransfer,
                                           on_object, this),
            eds::kOk);
  pump();
  EXPECT_EQ(items_.size(), 1u);
  finish(camera);
}

// The plain picture's size is what a tiny VANTREL_SIM_IMAGE_BYTES gives; every padding around it,
// including the awkward few bytes too small for a COM segment and sizes that need several
// segments, must keep the file decodable and the picture unchanged.
TEST_F(SimCamTest, DownloadsAreDecodableJpegsOfExactlyTheRequestedSize) {
  auto shoot_and_download = [&](uint64_t image_bytes) {
    set("VANTREL_SIM_IMAGE_BYTES", std::to_string(image_bytes));
    EdsCameraRef camera = connect();
    EXPECT_EQ(shoot(camera), eds::kOk);
    pump();
    std::vector<uint8_t> bytes;
    EXPECT_EQ(items_.size(), 1u);
    if (!items_.empty()) {
      EXPECT_EQ(download(items_[0], bytes), eds::kOk);
      EXPECT_EQ(bytes.size(), info(items_[0]).size);
      EXPECT_EQ(lib().EdsDownloadComplete(items_[0]), eds::kOk);
    }
    finish(camera);
    return bytes;
  };
  const std::vector<uint8_t> plain = shoot_and_download(1);
  const Decoded picture = decode(plain);
  ASSERT_EQ(picture.width, 320);
  ASSERT_EQ(picture.height, 240);
  const auto bright = std::count_if(picture.pixels.begin(), picture.pixels.end(),
                                    [](uint8_t value) { return value > 220; });
  EXPECT_GT(bright, 3000) << "the shot number should be drawn in white";

  for (const uint64_t extra : {1, 2, 3, 4, 5, 65537, 65538, 65540, 65541, 200000}) {
    SCOPED_TRACE(extra);
    const std::vector<uint8_t> padded = shoot_and_download(plain.size() + extra);
    EXPECT_EQ(padded.size(), plain.size() + extra);
    EXPECT_EQ(decode(padded).pixels, picture.pixels);
  }
}

TEST_F(SimCamTest, RawFileArrivesBeforeItsJpeg) {
  set("VANTREL_SIM_RAW", "1");
  EdsCameraRef camera = connect();
  ASSERT_EQ(shoot(camera), eds::kOk);
  pump();
  ASSERT_EQ(items_.size(), 2u);
  EXPECT_EQ(name_of(items_[0]), "IMG_0001.CR3");
  EXPECT_EQ(name_of(items_[1]), "IMG_0001.JPG");
  std::vector<uint8_t> raw;
  EXPECT_EQ(download(items_[0], raw), eds::kOk);
  EXPECT_EQ(raw.size(), info(items_[0]).size);
  finish(camera);
}

TEST_F(SimCamTest, RawFilesTakeTheirSizeAndDifferFromShotToShot) {
  set("VANTREL_SIM_RAW", "1");
  set("VANTREL_SIM_RAW_BYTES", "300001");
  EdsCameraRef camera = connect();
  ASSERT_EQ(shoot(camera), eds::kOk);
  ASSERT_EQ(shoot(camera), eds::kOk);
  pump();
  ASSERT_EQ(items_.size(), 4u);
  std::vector<uint8_t> first, second;
  ASSERT_EQ(download(items_[0], first), eds::kOk);
  ASSERT_EQ(download(items_[2], second), eds::kOk);
  EXPECT_EQ(info(items_[0]).size, 300001u);
  ASSERT_EQ(first.size(), 300001u);
  ASSERT_EQ(second.size(), 300001u);
  EXPECT_EQ(std::string(first.begin() + 4, first.begin() + 8), "ftyp");
  // The tail, beyond the stored pattern, still tells the shots apart.
  EXPECT_NE(std::vector<uint8_t>(first.end() - 1000, first.end()),
            std::vector<uint8_t>(second.end() - 1000, second.end()));
  finish(camera);
}

TEST_F(SimCamTest, EmptyNameSettingGivesItemsWithoutAName) {
  set("VANTREL_SIM_EMPTY_NAME", "1");
  EdsCameraRef camera = connect();
  ASSERT_EQ(shoot(camera), eds::kOk);
  pump();
  ASSERT_EQ(items_.size(), 1u);
  EXPECT_EQ(name_of(items_[0]), "");
  finish(camera);
}

TEST_F(SimCamTest, FirstDownloadsFailThenTheyTakeTheirTime) {
  set("VANTREL_SIM_FAIL_DOWNLOADS", "1");
  set("VANTREL_SIM_DOWNLOAD_DELAY_MS", "30");
  EdsCameraRef camera = connect();
  ASSERT_EQ(shoot(camera), eds::kOk);
  pump();
  ASSERT_EQ(items_.size(), 1u);
  std::vector<uint8_t> bytes;
  EXPECT_NE(download(items_[0], bytes), eds::kOk);
  EXPECT_LT(bytes.size(), info(items_[0]).size);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(download(items_[0], bytes), eds::kOk);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
  EXPECT_EQ(bytes.size(), info(items_[0]).size);
  finish(camera);
}

TEST_F(SimCamTest, AutoShootingStopsAfterTheConfiguredShots) {
  set("VANTREL_SIM_AUTO_SHOOT_MS", "5");
  set("VANTREL_SIM_SHOTS", "2");
  EdsCameraRef camera = connect();
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(150);
  while (std::chrono::steady_clock::now() < end) {
    pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_EQ(items_.size(), 2u);
  EXPECT_EQ(name_of(items_[1]), "IMG_0002.JPG");
  finish(camera);
}

}  // namespace
