#include "preview_image.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QImageReader>

QImage loadPreviewImage(const std::string& path, const QSize& box) {
  // Opened by its bytes: Qt would take the name for UTF-8 and miss a file whose name is not.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  QFile file;
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return {};
  }
  QImageReader reader(&file);
  reader.setAutoTransform(true);
  const QSize stored = reader.size();
  if (stored.isValid() && box.isValid() && !box.isEmpty()) {
    // The decoder scales the stored image; a quarter turn swaps the box it must fit.
    const bool quarterTurn =
        reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize fit = quarterTurn ? box.transposed() : box;
    if (stored.width() > fit.width() || stored.height() > fit.height()) {
      reader.setScaledSize(stored.scaled(fit, Qt::KeepAspectRatio));
    }
  }
  QImage image = reader.read();
  if (!image.isNull() && box.isValid() && !box.isEmpty() &&
      (image.width() > box.width() || image.height() > box.height())) {
    image = image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  return image;
}
