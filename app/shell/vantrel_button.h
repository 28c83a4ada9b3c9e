// A flat, rounded, colour-filled button that lightens under the pointer and darkens while
// pressed, fading between the two. Without a base colour it is an ordinary push button.
#pragma once

#include <QColor>
#include <QPushButton>

class QGraphicsDropShadowEffect;
class QVariantAnimation;

class VantrelButton : public QPushButton {
  Q_OBJECT
 public:
  explicit VantrelButton(const QString& title = {}, QWidget* parent = nullptr);

  const QColor& baseColor() const { return _vantrelBaseColor; }
  // Restyles at once.
  void setBaseColor(const QColor& color);

  bool isHovered() const { return _vantrelHover; }
  bool isPressed() const { return _vantrelPressed; }
  // The fill the current state asks for, and the one on screen (they differ during a fade).
  QColor stateFill() const;
  QColor shownFill() const { return shownFill_; }
  qreal shadowBlurRadius() const;
  qreal shadowOpacity() const;

  // With a base colour: the title (and icon) with a little padding, never narrower than tall.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void restyle(bool animated);
  void refreshCursor();

  bool _vantrelHover = false;
  bool _vantrelPressed = false;
  QColor _vantrelBaseColor;
  QColor shownFill_;
  QVariantAnimation* fade_ = nullptr;
  QGraphicsDropShadowEffect* shadow_ = nullptr;
};
