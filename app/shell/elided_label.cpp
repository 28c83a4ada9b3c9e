#include "elided_label.h"

#include <QEvent>
#include <algorithm>

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QLabel(parent) {
  setWordWrap(false);
  setFullText(text);
}

void ElidedLabel::setFullText(const QString& text) {
  _fullText = text;
  elide();
  updateGeometry();
}

int ElidedLabel::horizontalPadding() const {
  const QMargins margins = contentsMargins();
  return margins.left() + margins.right() + 2 * margin();
}

QSize ElidedLabel::sizeHint() const {
  return {fontMetrics().horizontalAdvance(_fullText) + horizontalPadding(),
          QLabel::sizeHint().height()};
}

QSize ElidedLabel::minimumSizeHint() const {
  return {fontMetrics().horizontalAdvance(QStringLiteral("● W…")) + horizontalPadding(),
          QLabel::minimumSizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  elide();
}

void ElidedLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  // A style sheet sets the font after the text: what fits changes with it.
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) elide();
}

void ElidedLabel::elide() {
  const int width = std::max(0, contentsRect().width() - 2 * margin());
  const QString shown = fontMetrics().elidedText(_fullText, Qt::ElideRight, width);
  if (shown != text()) QLabel::setText(shown);
}
