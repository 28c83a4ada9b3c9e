#include "vantrel_button.h"

#include <QEnterEvent>
#include <QGraphicsDropShadowEffect>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QVariantAnimation>

namespace {

constexpr int kFadeMs = 150;
constexpr qreal kCornerRadius = 10.0;
constexpr qreal kPressedDarken = 0.22;
constexpr qreal kHoverLighten = 0.14;
constexpr int kPaddingX = 12;
constexpr int kPaddingY = 6;
constexpr int kIconGap = 6;

struct ShadowLook {
  qreal radius;
  qreal opacity;
};
constexpr ShadowLook kRestingShadow{1.5, 0.14};
constexpr ShadowLook kHoverShadow{5.0, 0.32};
constexpr ShadowLook kDisabledShadow{1.5, 0.0};

QColor blend(const QColor& from, const QColor& to, qreal amount) {
  auto mix = [amount](qreal a, qreal b) { return a + (b - a) * amount; };
  return QColor::fromRgbF(static_cast<float>(mix(from.redF(), to.redF())),
                          static_cast<float>(mix(from.greenF(), to.greenF())),
                          static_cast<float>(mix(from.blueF(), to.blueF())),
                          static_cast<float>(from.alphaF()));
}

}  // namespace

VantrelButton::VantrelButton(const QString& title, QWidget* parent) : QPushButton(title, parent) {
  fade_ = new QVariantAnimation(this);
  fade_->setDuration(kFadeMs);
  fade_->setEasingCurve(QEasingCurve::OutCubic);
  connect(fade_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
    shownFill_ = value.value<QColor>();
    update();
  });
  // The interpolation works in 8 bits a channel; the fade ends on the exact colour.
  connect(fade_, &QVariantAnimation::finished, this, [this] {
    shownFill_ = fade_->endValue().value<QColor>();
    update();
  });
  refreshCursor();
}

void VantrelButton::setBaseColor(const QColor& color) {
  _vantrelBaseColor = color;
  if (color.isValid() && !shadow_) {
    shadow_ = new QGraphicsDropShadowEffect(this);
    shadow_->setOffset(0, 1);  // light from above: the shadow falls below
    setGraphicsEffect(shadow_);
  }
  updateGeometry();
  restyle(false);
}

QSize VantrelButton::sizeHint() const {
  if (!_vantrelBaseColor.isValid()) return QPushButton::sizeHint();
  const QFontMetrics metrics(font());
  const bool hasIcon = !icon().isNull();
  int width = metrics.horizontalAdvance(text()) + 2 * kPaddingX;
  int height = metrics.height();
  if (hasIcon) {
    width += iconSize().width() + (text().isEmpty() ? 0 : kIconGap);
    height = qMax(height, iconSize().height());
  }
  height += 2 * kPaddingY;
  return {qMax(width, height), height};
}

QSize VantrelButton::minimumSizeHint() const {
  return _vantrelBaseColor.isValid() ? sizeHint() : QPushButton::minimumSizeHint();
}

QColor VantrelButton::stateFill() const {
  if (!_vantrelBaseColor.isValid() || !isEnabled()) return _vantrelBaseColor;
  if (_vantrelPressed) return blend(_vantrelBaseColor, Qt::black, kPressedDarken);
  if (_vantrelHover) return blend(_vantrelBaseColor, Qt::white, kHoverLighten);
  return _vantrelBaseColor;
}

qreal VantrelButton::shadowBlurRadius() const {
  if (!isEnabled()) return kDisabledShadow.radius;
  return _vantrelHover && !_vantrelPressed ? kHoverShadow.radius : kRestingShadow.radius;
}

qreal VantrelButton::shadowOpacity() const {
  if (!_vantrelBaseColor.isValid() || !isEnabled()) return kDisabledShadow.opacity;
  return _vantrelHover && !_vantrelPressed ? kHoverShadow.opacity : kRestingShadow.opacity;
}

void VantrelButton::restyle(bool animated) {
  if (!_vantrelBaseColor.isValid()) {
    update();
    return;
  }
  if (shadow_) {
    // A blur radius spreads about twice as far as a layer's shadow radius.
    shadow_->setBlurRadius(shadowBlurRadius() * 2);
    shadow_->setColor(QColor(0, 0, 0, qRound(shadowOpacity() * 255)));
    shadow_->setEnabled(shadowOpacity() > 0);
  }
  const QColor target = stateFill();
  fade_->stop();
  if (animated && isVisible() && shownFill_.isValid() && shownFill_ != target) {
    fade_->setStartValue(shownFill_);
    fade_->setEndValue(target);
    fade_->start();
  } else {
    shownFill_ = target;
    update();
  }
}

void VantrelButton::refreshCursor() {
  if (isEnabled()) {
    setCursor(Qt::PointingHandCursor);
  } else {
    unsetCursor();
  }
}

void VantrelButton::paintEvent(QPaintEvent* event) {
  if (!_vantrelBaseColor.isValid()) {
    QPushButton::paintEvent(event);
    return;
  }
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(shownFill_);
  painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius,
                          kCornerRadius);

  // Icon and title centred together.
  const QString title = text();
  const QFontMetrics metrics(font());
  const bool hasIcon = !icon().isNull();
  const int gap = hasIcon && !title.isEmpty() ? kIconGap : 0;
  const int iconWidth = hasIcon ? iconSize().width() : 0;
  const int contentWidth = iconWidth + gap + metrics.horizontalAdvance(title);
  int x = (width() - contentWidth) / 2;
  if (hasIcon) {
    const QRect iconBox(x, (height() - iconSize().height()) / 2, iconSize().width(),
                        iconSize().height());
    icon().paint(&painter, iconBox, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    x += iconWidth + gap;
  }
  painter.setPen(palette().color(QPalette::ButtonText));
  painter.setFont(font());
  painter.drawText(QRect(x, 0, width() - x, height()), Qt::AlignLeft | Qt::AlignVCenter,
                   metrics.elidedText(title, Qt::ElideRight, width() - x));
}

void VantrelButton::enterEvent(QEnterEvent* event) {
  _vantrelHover = true;
  restyle(true);
  QPushButton::enterEvent(event);
}

void VantrelButton::leaveEvent(QEvent* event) {
  _vantrelHover = false;
  restyle(true);
  QPushButton::leaveEvent(event);
}

void VantrelButton::mousePressEvent(QMouseEvent* event) {
  if (isEnabled() && event->button() == Qt::LeftButton) {
    _vantrelPressed = true;
    restyle(false);
  }
  QPushButton::mousePressEvent(event);
}

void VantrelButton::mouseReleaseEvent(QMouseEvent* event) {
  // Settled before the click runs: an action that opens a dialog must not leave the button
  // looking pressed behind it.
  if (_vantrelPressed && event->button() == Qt::LeftButton) {
    _vantrelPressed = false;
    _vantrelHover = rect().contains(event->position().toPoint());
    restyle(true);
  }
  QPushButton::mouseReleaseEvent(event);
}

void VantrelButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    if (!isEnabled()) _vantrelPressed = false;
    refreshCursor();
    restyle(false);
  }
  if (event->type() == QEvent::FontChange) updateGeometry();
  QPushButton::changeEvent(event);
}
