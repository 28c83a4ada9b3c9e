// Names to folders, captures to numbered files, and which files are photos.
#include <gtest/gtest.h>

#include "capture_naming.h"
#include "image_types.h"

namespace vantrel::filing {
namespace {

TEST(SanitizeFilename, ReplacesUnsafeCharactersAndKeepsOtherScripts) {
  EXPECT_EQ(sanitize_filename("A/B:C?"), "A-B-C-");
  EXPECT_EQ(sanitize_filename("\"*<>\\|\x01\x1f"), "--------");
  // Control characters go before trimming, so a leading tab stays as "-".
  EXPECT_EQ(sanitize_filename("\tZoë 李 "), "-Zoë 李");
}

TEST(SanitizeFilename, NamesThatLeaveNoUsableFolderBecomeUntitled) {
  for (const char* name : {"", "    ", ".", " .. "}) EXPECT_EQ(sanitize_filename(name), "untitled");
  EXPECT_EQ(sanitize_filename("..."), "...");
  EXPECT_EQ(personFolderName("", "_FR"), "untitled_FR");
}

TEST(CaptureNaming, NumberedNamesAndExtensions) {
  EXPECT_EQ(captureFileName("Ann Lee_FR", 7, "CR3"), "Ann Lee_FR_0007.CR3");
  EXPECT_EQ(captureFileName("Ann", 10000, "jpg"), "Ann_10000.jpg");
  EXPECT_EQ(captureExtension("/dl/IMG_0001.tar.cr3"), "cr3");
  // No extension, including a dot only in a folder name or leading a hidden name.
  for (const char* path : {"/dl/IMG_0001", "/dl/IMG.", "/dl.d/IMG", "/dl/.capture"})
    EXPECT_EQ(captureExtension(path), "JPG") << path;
}

TEST(ImageTypes, FourteenImageTypesSixPreviewable) {
  for (const char* name : {"a.JPEG", "a.tiff", "a.heif", "a.CR3", "a.crw", "a.raw", "._a.arw"})
    EXPECT_TRUE(isImageFileName(name)) << name;
  for (const char* name : {"notes.txt", "jpg", "a.jpg.txt", ".jpg", "/x.jpg/readme"})
    EXPECT_FALSE(isImageFileName(name)) << name;
  EXPECT_TRUE(isPreviewableImagePath("/a/b.HEIC"));
  EXPECT_FALSE(isPreviewableImagePath("/a/b.heif") || isPreviewableImagePath("/a/b.CR3"));
}

}  // namespace
}  // namespace vantrel::filing
