// The application's colours (the light appearance is the only one in use).
#pragma once

#include <QColor>

namespace palette {
inline QColor brand() {
  return QColor::fromRgbF(0.2f, 0.4f, 0.6f);
}
inline QColor green() {
  return QColor::fromRgbF(0.18f, 0.62f, 0.42f);
}
inline QColor red() {
  return QColor::fromRgbF(0.839f, 0.271f, 0.255f);
}
inline QColor gray() {
  return QColor::fromRgbF(0.353f, 0.42f, 0.471f);
}
inline QColor orange() {
  return QColor::fromRgbF(0.851f, 0.569f, 0.122f);
}
inline QColor yellow() {
  return orange();
}
inline QColor blue() {
  return brand();
}
inline QColor appBackground() {
  return QColor::fromRgbF(0.93f, 0.95f, 0.98f);
}
inline QColor softPanel() {
  return QColor::fromRgbF(0.969f, 0.98f, 0.988f);
}
inline QColor softBorder() {
  return QColor::fromRgbF(0.886f, 0.91f, 0.933f);
}
inline QColor cardBackground() {
  return Qt::white;
}
inline QColor fieldBackground() {
  return Qt::white;
}
inline QColor secondaryLabel() {
  return QColor(0, 0, 0, 128);
}
inline QColor primaryText() {
  return QColor(0, 0, 0, 217);
}
inline QColor previewBorder() {
  return QColor(192, 192, 192);
}
}  // namespace palette
