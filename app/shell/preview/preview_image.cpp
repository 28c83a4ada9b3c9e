#include "preview_image.h"

#include <QImageReader>

QImage loadPreviewImage(const QString& path, const QSize& box) {
  QImageReader reader(path);
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
