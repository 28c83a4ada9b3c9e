// The card's folder tree, the shots' bytes, and the command line.
#include <gtest/gtest.h>

#include "camera_options.h"
#include "object_store.h"
#include "ptp_codes.h"
#include "shot_maker.h"

using namespace ptpipcam;

namespace {

ShotFile jpeg_of_shot(int number) {
  return ShotMaker(0, false).make(number).back();
}

}  // namespace

TEST(ObjectStoreTest, ShotsGoIntoDcimFoldersThatComeBackWhenDeleted) {
  ObjectStore store;
  const auto root = store.handles(kRootParent, 0);
  ASSERT_TRUE(root);
  ASSERT_EQ(root->size(), 1u);
  const uint32_t dcim = root->front();
  EXPECT_EQ(store.find(dcim)->name, "DCIM");

  const std::vector<uint32_t> first = store.add(jpeg_of_shot(1), "20240501T101500");
  ASSERT_EQ(first.size(), 1u);  // the folders were there already
  EXPECT_EQ(store.path(first[0]), "/DCIM/100CANON/IMG_0001.JPG");
  EXPECT_EQ(*store.handles(kAnyParent, format::kExifJpeg), first);
  // A file is no folder to list.
  EXPECT_FALSE(store.handles(first[0], 0));

  // Deleting DCIM takes everything below it, the file included.
  const auto removed = store.remove(dcim);
  ASSERT_EQ(removed.size(), 3u);
  EXPECT_EQ(removed.back().path, "/DCIM/100CANON/IMG_0001.JPG");
  EXPECT_TRUE(store.handles(kAnyParent, 0)->empty());

  // The next shot makes the folders again, announced before the file, under new handles.
  const std::vector<uint32_t> again = store.add(jpeg_of_shot(2), "20240501T101501");
  ASSERT_EQ(again.size(), 3u);
  EXPECT_EQ(store.find(again[0])->name, "DCIM");
  EXPECT_EQ(store.find(again[1])->name, "100CANON");
  EXPECT_GT(again[0], first[0]);
  EXPECT_EQ(store.path(again[2]), "/DCIM/100CANON/IMG_0002.JPG");
}

TEST(ObjectStoreTest, OnlyTheNewestFilesKeepTheirBytesAndTheOthersReadTheSame) {
  ObjectStore store;
  const ShotMaker maker(50000, true);
  std::vector<std::pair<uint32_t, std::vector<uint8_t>>> made;
  for (int number = 1; number <= 6; ++number) {
    for (ShotFile file : maker.make(number)) {
      ShotMaker::prepare(file);
      made.emplace_back(store.add(file, "20240501T101500").back(), *file.prepared);
    }
  }
  std::size_t still_prepared = 0;
  for (const auto& [handle, bytes] : made) {
    const ShotFile file = *store.find(handle)->file;
    if (file.prepared) ++still_prepared;
    EXPECT_EQ(*ShotMaker::contents(file), bytes) << file.name;
  }
  EXPECT_EQ(still_prepared, ObjectStore::kPreparedFiles);
  EXPECT_FALSE(store.find(made.front().first)->file->prepared);
  EXPECT_TRUE(store.find(made.back().first)->file->prepared);
}

TEST(ShotMakerTest, JpegIsExactlyTheAskedSizeAndTheSameForTheSameShot) {
  const ShotMaker maker(300000, false);
  const ShotFile file = maker.make(7).back();
  EXPECT_EQ(file.name, "IMG_0007.JPG");
  const std::vector<uint8_t> bytes = *ShotMaker::contents(file);
  ASSERT_EQ(bytes.size(), 300000u);
  EXPECT_EQ(file.size, bytes.size());
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xD8);
  EXPECT_EQ(bytes[bytes.size() - 2], 0xFF);
  EXPECT_EQ(bytes.back(), 0xD9);
  EXPECT_EQ(*ShotMaker::contents(maker.make(7).back()), bytes);
  EXPECT_NE(*ShotMaker::contents(maker.make(8).back()), bytes);

  // Asked for less than the picture, the picture is never cut.
  const ShotFile small = ShotMaker(10, false).make(7).back();
  EXPECT_EQ(small.size, small.picture->size());
  EXPECT_EQ(*ShotMaker::contents(small), *small.picture);
}

TEST(ShotMakerTest, RawComesFirstWithACr2Header) {
  const std::vector<ShotFile> files = ShotMaker(4096, true).make(3);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].name, "IMG_0003.CR2");
  EXPECT_EQ(files[0].format, format::kCanonCr2);
  const std::vector<uint8_t> raw = *ShotMaker::contents(files[0]);
  ASSERT_EQ(raw.size(), 4096u);
  EXPECT_EQ(std::string(raw.begin(), raw.begin() + 4), std::string("II*\0", 4));
  EXPECT_EQ(std::string(raw.begin() + 8, raw.begin() + 10), "CR");
  EXPECT_EQ(files[1].name, "IMG_0003.JPG");
}

TEST(CameraOptionsTest, ListensOnLoopbackOnly) {
  const ParsedOptions parsed = parse_camera_options(
      {"--listen", "127.0.0.1:15740", "--image-bytes", "1000", "--raw", "--control", "c"});
  ASSERT_TRUE(parsed.options) << parsed.error;
  EXPECT_EQ(parsed.options->port, 15740);
  EXPECT_EQ(parsed.options->image_bytes, 1000u);
  EXPECT_TRUE(parsed.options->raw);
  EXPECT_EQ(parsed.options->control_file, "c");

  EXPECT_FALSE(parse_camera_options({"--listen", "0.0.0.0:15740"}).options);
  EXPECT_FALSE(parse_camera_options({"--listen", "192.168.1.20:15740"}).options);
  EXPECT_FALSE(parse_camera_options({"--listen", "127.0.0.1:70000"}).options);
  EXPECT_FALSE(parse_camera_options({"--raw"}).options);
  EXPECT_FALSE(parse_camera_options({"--listen", "127.0.0.1:0", "--image-bytes", "lots"}).options);
}
