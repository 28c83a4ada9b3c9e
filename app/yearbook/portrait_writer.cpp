#include "portrait_writer.h"

#include <QColorSpace>
#include <QFile>
#include <QImage>
#include <QImageIOHandler>
#include <QImageReader>
#include <QImageWriter>

#include "portrait_crop.h"

namespace vantrel::yearbook {

namespace {

constexpr int kJpegQuality = 90;
// 300 dots per inch, the print resolution publishers ask for.
constexpr int kDotsPerMeter = 11811;

QString qtPath(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray(path.c_str()));
}

int eighthsOf(int length, int eighths) {
  return (length * eighths + 7) / 8;
}

// Reads the photo upright, shrunk by the decoder as far as the portrait allows.
QImage readUpright(const std::filesystem::path& photo, PixelSize output, std::string& error) {
  QImageReader reader(qtPath(photo));
  reader.setAutoTransform(true);
  const QSize stored = reader.size();
  if (stored.isValid()) {
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize upright = turned ? stored.transposed() : stored;
    const int eighths = decodeEighths(upright.width(), upright.height(), output);
    if (eighths < 8)
      reader.setScaledSize(
          QSize(eighthsOf(stored.width(), eighths), eighthsOf(stored.height(), eighths)));
  }
  QImage image = reader.read();
  if (image.isNull()) error = "cannot be read (" + reader.errorString().toStdString() + ")";
  return image;
}

}  // namespace

PortraitOutcome writePortrait(const std::filesystem::path& photo,
                              const std::filesystem::path& portrait, PortraitSize size,
                              double headroom, std::string& detail) {
  const PixelSize output = pixelSize(size);
  const QImage upright = readUpright(photo, output, detail);
  if (upright.isNull()) return PortraitOutcome::Unreadable;

  const CropRect crop = portraitCrop(upright.width(), upright.height(), headroom);
  QImage image =
      upright.copy(crop.x, crop.y, crop.width, crop.height)
          .scaled(output.width, output.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
          .convertToFormat(QImage::Format_RGB32);
  const QColorSpace srgb(QColorSpace::SRgb);
  if (image.colorSpace().isValid() && image.colorSpace() != srgb) image.convertToColorSpace(srgb);
  image.setColorSpace(srgb);
  image.setDotsPerMeterX(kDotsPerMeter);
  image.setDotsPerMeterY(kDotsPerMeter);

  QImageWriter writer(qtPath(portrait), "jpeg");
  writer.setQuality(kJpegQuality);
  writer.setOptimizedWrite(false);
  writer.setProgressiveScanWrite(false);
  if (writer.write(image)) return PortraitOutcome::Written;
  detail = "portrait not written (" + writer.errorString().toStdString() + ")";
  return PortraitOutcome::NotWritten;
}

}  // namespace vantrel::yearbook
