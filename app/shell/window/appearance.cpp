#include "appearance.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

#include "palette.h"

void applyLightAppearance() {
  QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"));
  if (fusion) QApplication::setStyle(fusion);
  // Every role from Fusion's own light palette: a default palette would start from the current
  // one, so the roles not named below would keep a dark theme's colours.
  QPalette light = fusion ? fusion->standardPalette() : QPalette(palette::softPanel());
  light.setColor(QPalette::Window, palette::appBackground());
  light.setColor(QPalette::WindowText, QColor(0, 0, 0, 217));
  light.setColor(QPalette::Base, palette::fieldBackground());
  light.setColor(QPalette::AlternateBase, palette::softPanel());
  light.setColor(QPalette::Text, QColor(0, 0, 0, 217));
  light.setColor(QPalette::PlaceholderText, palette::secondaryLabel());
  light.setColor(QPalette::Button, palette::softPanel());
  light.setColor(QPalette::ButtonText, QColor(0, 0, 0, 217));
  light.setColor(QPalette::ToolTipBase, QColor(255, 255, 240));
  light.setColor(QPalette::ToolTipText, Qt::black);
  light.setColor(QPalette::Highlight, palette::brand());
  light.setColor(QPalette::HighlightedText, Qt::white);
  light.setColor(QPalette::Link, palette::brand());
  light.setColor(QPalette::Disabled, QPalette::Text, QColor(0, 0, 0, 90));
  light.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0, 0, 0, 90));
  light.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0, 0, 0, 90));
  QApplication::setPalette(light);
}
