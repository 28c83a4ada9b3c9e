// The portraits themselves, decoded again: size and ratio, the orientation applied, the colour
// space, a baseline JPEG of quality 90 (also as ImageMagick's identify sees it, when installed).
#include <gtest/gtest.h>

#include <QColorSpace>
#include <QImageWriter>
#include <cstdio>
#include <cstdlib>

#include "portrait_writer.h"
#include "yearbook_test_support.h"

namespace vantrel::yearbook {
namespace {

namespace fs = std::filesystem;
using testing::kBackground;
using testing::kMarker;
using testing::near;
using testing::TempFolder;

struct Written {
  QImage image;
  std::string bytes;
};

Written portraitOf(const fs::path& photo, const fs::path& portrait,
                   PortraitSize size = PortraitSize::Large, double headroom = 0.0) {
  std::string detail;
  EXPECT_EQ(writePortrait(photo, portrait, size, headroom, detail), PortraitOutcome::Written)
      << detail;
  return {testing::readImage(portrait), testing::readBytes(portrait)};
}

// The colours at the middle of the left, right, top and bottom edges.
struct Edges {
  QColor left, right, top, bottom;
};
Edges edgesOf(const QImage& image) {
  const int w = image.width();
  const int h = image.height();
  return {image.pixelColor(2, h / 2), image.pixelColor(w - 3, h / 2), image.pixelColor(w / 2, 2),
          image.pixelColor(w / 2, h - 3)};
}

TEST(PortraitWriter, CropsLandscapeAndPortraitPhotosTo640x800) {
  TempFolder folder;
  // A wide photo: the centre 4:5 part leaves the marker (left eighth) out.
  testing::writeJpeg(folder.path() / "wide.jpg", 1800, 1200);
  const Written wide = portraitOf(folder.path() / "wide.jpg", folder.path() / "wide_out.jpg");
  EXPECT_EQ(wide.image.size(), QSize(640, 800));
  EXPECT_TRUE(near(edgesOf(wide.image).left, kBackground));

  // A tall photo keeps its full width, marker included.
  testing::writeJpeg(folder.path() / "tall.jpg", 1000, 1600);
  const Written tall = portraitOf(folder.path() / "tall.jpg", folder.path() / "tall_out.jpg");
  EXPECT_EQ(tall.image.size(), QSize(640, 800));
  EXPECT_TRUE(near(edgesOf(tall.image).left, kMarker));
  EXPECT_TRUE(near(edgesOf(tall.image).right, kBackground));

  // Smaller than the portrait: scaled up, still 640×800; and the small size.
  testing::writeJpeg(folder.path() / "tiny.jpg", 300, 200);
  EXPECT_EQ(portraitOf(folder.path() / "tiny.jpg", folder.path() / "tiny_out.jpg").image.size(),
            QSize(640, 800));
  EXPECT_EQ(portraitOf(folder.path() / "tall.jpg", folder.path() / "small.jpg", PortraitSize::Small)
                .image.size(),
            QSize(320, 400));
}

TEST(PortraitWriter, AppliesTheExifOrientationBeforeCropping) {
  TempFolder folder;
  // Stored 1600×1000 with the marker on the stored left; orientation 6 turns the picture a
  // quarter clockwise for display, so the stored left becomes the top. Upright it is 1000×1600,
  // tall: the crop keeps the full width and the marker at the top edge.
  testing::writeJpeg(folder.path() / "six.jpg", 1600, 1000, 6);
  const Written six = portraitOf(folder.path() / "six.jpg", folder.path() / "six_out.jpg",
                                 PortraitSize::Large, 1.0);
  EXPECT_EQ(six.image.size(), QSize(640, 800));
  EXPECT_TRUE(near(edgesOf(six.image).top, kMarker));
  EXPECT_TRUE(near(edgesOf(six.image).bottom, kBackground));
  EXPECT_TRUE(near(edgesOf(six.image).left, kBackground));
  // Undistorted: the 200 marker rows of the 1250 cropped ones are 128 of the portrait's 800 (a
  // decode scaled in the wrong orientation squeezes them to 100).
  EXPECT_TRUE(near(six.image.pixelColor(320, 118), kMarker));
  EXPECT_TRUE(near(six.image.pixelColor(320, 140), kBackground));

  // Orientation 8 turns it the other way: the stored left becomes the bottom.
  testing::writeJpeg(folder.path() / "eight.jpg", 1600, 1000, 8);
  const Written eight = portraitOf(folder.path() / "eight.jpg", folder.path() / "eight_out.jpg",
                                   PortraitSize::Large, -1.0);
  EXPECT_TRUE(near(edgesOf(eight.image).bottom, kMarker));
  EXPECT_TRUE(near(edgesOf(eight.image).top, kBackground));

  // Without the crop's headroom at its edge the marker (1/8 of 1600 = 200 rows) is cropped away
  // from the centred 1250 rows: (1600 - 1250) / 2 = 175 rows cut, 25 rows of marker stay.
  const Written centred = portraitOf(folder.path() / "six.jpg", folder.path() / "centred.jpg");
  EXPECT_TRUE(near(centred.image.pixelColor(320, 2), kMarker));
  EXPECT_TRUE(near(centred.image.pixelColor(320, 40), kBackground));
}

TEST(PortraitWriter, WritesBaselineSrgbJpegs) {
  TempFolder folder;
  // A photo in Adobe RGB: its colours are converted, not just relabelled.
  QImage adobe(1000, 1250, QImage::Format_RGB32);
  adobe.fill(QColor(40, 160, 60));
  adobe.setColorSpace(QColorSpace(QColorSpace::AdobeRgb));
  ASSERT_TRUE(
      adobe.save(QString::fromStdString((folder.path() / "adobe.jpg").native()), "JPEG", 95));
  const Written out = portraitOf(folder.path() / "adobe.jpg", folder.path() / "adobe_out.jpg");
  EXPECT_EQ(out.image.colorSpace(), QColorSpace(QColorSpace::SRgb));
  const QColor converted = out.image.pixelColor(320, 400);
  EXPECT_GT(std::abs(converted.red() - 40) + std::abs(converted.green() - 160), 20)
      << "still the Adobe RGB values";
  EXPECT_TRUE(testing::isBaselineJpeg(out.bytes));

  // A progressive photo in, a baseline portrait out.
  QImageWriter progressive(QString::fromStdString((folder.path() / "progressive.jpg").native()),
                           "jpeg");
  progressive.setProgressiveScanWrite(true);
  QImage plain(900, 1200, QImage::Format_RGB32);
  plain.fill(kBackground);
  ASSERT_TRUE(progressive.write(plain));
  ASSERT_FALSE(testing::isBaselineJpeg(testing::readBytes(folder.path() / "progressive.jpg")));
  EXPECT_TRUE(testing::isBaselineJpeg(
      portraitOf(folder.path() / "progressive.jpg", folder.path() / "from_progressive.jpg").bytes));
}

TEST(PortraitWriter, ReportsPhotosThatCannotBeRead) {
  TempFolder folder;
  testing::writeBytes(folder.path() / "broken.jpg", "\xFF\xD8\xFF\xE0 not a jpeg");
  std::string detail;
  EXPECT_EQ(writePortrait(folder.path() / "broken.jpg", folder.path() / "out.jpg",
                          PortraitSize::Large, 0.0, detail),
            PortraitOutcome::Unreadable);
  EXPECT_FALSE(detail.empty());
  EXPECT_FALSE(fs::exists(folder.path() / "out.jpg"));
}

std::string commandOutput(const std::string& command) {
  std::string output;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    ::pclose(pipe);
  }
  return output;
}

TEST(PortraitWriter, IdentifySeesA640x800BaselineSrgbJpegOfQuality90) {
  if (std::system("command -v identify >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "ImageMagick's identify is not installed";
  TempFolder folder;
  testing::writeJpeg(folder.path() / "photo.jpg", 2400, 1600, 6);
  portraitOf(folder.path() / "photo.jpg", folder.path() / "portrait.jpg");
  EXPECT_EQ(commandOutput("identify -format '%m %w %h %Q %[colorspace] %[interlace] %x' '" +
                          (folder.path() / "portrait.jpg").native() + "'"),
            "JPEG 640 800 90 sRGB None 300");
}

}  // namespace
}  // namespace vantrel::yearbook
