#include "portrait_frame.h"

#include <QPainter>

#include "portrait_crop.h"

QImage withPortraitFrame(const QImage& photo, double headroom) {
  if (photo.isNull()) return photo;
  const vantrel::yearbook::CropRect crop =
      vantrel::yearbook::portraitCrop(photo.width(), photo.height(), headroom);
  QImage framed = photo.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&framed);
  const QRect inside(crop.x, crop.y, crop.width, crop.height);
  const QRegion outside = QRegion(framed.rect()).subtracted(QRegion(inside));
  for (const QRect& part : outside) painter.fillRect(part, QColor(0, 0, 0, 110));
  painter.setPen(QPen(QColor(255, 255, 255, 220), 1.0, Qt::DashLine));
  painter.drawRect(inside.adjusted(0, 0, -1, -1));
  return framed;
}
