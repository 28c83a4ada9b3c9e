// The preview reads photos at the size they are shown, upright.
#include <gtest/gtest.h>

#include <QImageWriter>
#include <QTemporaryDir>

#include "preview_image.h"

namespace {

QString writeJpeg(const QTemporaryDir& dir, const QString& name, QSize size,
                  QImageIOHandler::Transformations turn = QImageIOHandler::TransformationNone) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  // A dark left half shows which way the picture ends up.
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width() / 2; ++x) image.setPixel(x, y, qRgb(20, 20, 20));
  }
  const QString path = dir.filePath(name);
  QImageWriter writer(path, "jpeg");
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
  const QString path = writeJpeg(dir, "huge.jpg", {8200, 4200});
  EXPECT_TRUE(QImage(path).isNull()) << "the whole picture should be over the limit";
  const QImage image = loadPreviewImage(path, {820, 820});
  EXPECT_EQ(image.size(), QSize(820, 420));
}

TEST(PreviewImageTest, APhotoTakenUprightIsShownUpright) {
  QTemporaryDir dir;
  const QString path =
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
  EXPECT_TRUE(loadPreviewImage(file.fileName(), {300, 300}).isNull());
  EXPECT_TRUE(loadPreviewImage(dir.filePath("missing.jpg"), {300, 300}).isNull());
}

}  // namespace
