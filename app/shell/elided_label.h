// A one-line label that cuts its text at the end to the width it is given, instead of asking for
// the width of the whole text: a long message must not push its neighbours out of a narrow window.
#pragma once

#include <QLabel>

class ElidedLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ElidedLabel(const QString& text, QWidget* parent = nullptr);

  // The text as set; text() is what fits.
  void setFullText(const QString& text);
  const QString& fullText() const { return _fullText; }

  // Room for the whole text when there is some, a few characters when there is not.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void elide();
  int horizontalPadding() const;

  QString _fullText;
};
