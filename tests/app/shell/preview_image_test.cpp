// The preview reads photos at the size they are shown, upright.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>

#include "preview_image.h"

namespace {

// Writes a JPEG under `name` (file-name bytes) and gives its path's bytes.
std::string writeJpeg(const QTemporaryDir& dir, const QByteArray& name, QSize size,
                      QImageIOHandler::Transformations turn = QImageIOHandler::TransformationNone) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  // A dark left half shows which way the picture ends up.
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width() / 2; ++x) image.setPixel(x, y, qRgb(20, 20, 20));
  }
  const std::string path = QFile::encodeName(dir.path()).toStdString() + "/" + name.toStdString();
  // Written by descriptor, so the name's bytes reach the disk as they are.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  QFile file;
  EXPECT_TRUE(file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
  QImageWriter writer(&file, "jpeg");
  writer.setTransformation(turn);
  EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
  return path;
}

TEST(PreviewImageTest, ALargePhotoFitsTheBoxAndASmallOneKeepsItsSize) {
  QTemporaryDir dir;
  const QImage large = loadPreviewImage(writeJpeg(dir, "large.jpg", {2400, 1600}), {300, 300});
  EXPECT_EQ(large.size(), QSize(300, 200));
  EXPECT_LT(qGray(large.pixel(10, 100)), 100);
  EXPECT_GT(qGray(large.pixel(290, 100)), 200);

  const QImage small = loadPreviewImage(writeJpeg(dir, "small.jpg", {120, 80}), {300, 300});
  EXPECT_EQ(small.size(), QSize(120, 80));
}

TEST(PreviewImageTest, APhotoTooLargeToDecodeWholeIsStillPreviewed) {
  // 34 megapixels decode to more than Qt's 128 MB limit for one image; today's cameras go further.
  QTemporaryDir dir;
  const std::string path = writeJpeg(dir, "huge.jpg", {8200, 4200});
  EXPECT_TRUE(QImage(QString::fromStdString(path)).isNull())
      << "the whole picture should be over the limit";
  const QImage image = loadPreviewImage(path, {820, 820});
  EXPECT_EQ(image.size(), QSize(820, 420));
}

TEST(PreviewImageTest, APhotoTakenUprightIsShownUpright) {
  QTemporaryDir dir;
  const std::string path =
      writeJpeg(dir, "turned.jpg", {2400, 1600}, QImageIOHandler::TransformationRotate90);
  const QImage image = loadPreviewImage(path, {300, 300});
  EXPECT_EQ(image.size(), QSize(200, 300));
  // Turned a quarter clockwise, the dark left half is now on top.
  EXPECT_LT(qGray(image.pixel(100, 10)), 100);
  EXPECT_GT(qGray(image.pixel(100, 290)), 200);
}

TEST(PreviewImageTest, WhatIsNotAnImageGivesNothing) {
  QTemporaryDir dir;
  QFile file(dir.filePath("broken.jpg"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("not a picture");
  file.close();
  EXPECT_TRUE(
      loadPreviewImage(QFile::encodeName(file.fileName()).toStdString(), {300, 300}).isNull());
  EXPECT_TRUE(
      loadPreviewImage(QFile::encodeName(dir.filePath("missing.jpg")).toStdString(), {300, 300})
          .isNull());
  EXPECT_TRUE(loadPreviewImage(QFile::encodeName(dir.path()).toStdString(), {300, 300}).isNull())
      << "a folder is no picture";
}

TEST(PreviewImageTest, APhotoWhoseNameIsNotUtf8IsRead) {
  // A Latin-1 name, as an older names store keeps it: Qt would read the bytes as UTF-8 and miss it.
  QTemporaryDir dir;
  const std::string path = writeJpeg(dir, "M\xfcller_0001.jpg", {600, 400});
  ASSERT_FALSE(QFile::exists(QString::fromStdString(path))) << "Qt should not find it by name";
  const QImage image = loadPreviewImage(path, {300, 300});
  EXPECT_EQ(image.size(), QSize(300, 200));
  EXPECT_LT(qGray(image.pixel(10, 100)), 100);
  ::unlink(path.c_str());  // the temporary folder's clean-up cannot name it
}

}  // namespace
