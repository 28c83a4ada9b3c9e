#include "view_styling.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QLineEdit>

#include "palette.h"
#include "vantrel_button.h"

QString cssColor(const QColor& color) {
  return QStringLiteral("rgba(%1,%2,%3,%4)")
      .arg(color.red())
      .arg(color.green())
      .arg(color.blue())
      .arg(color.alpha());
}

void styleButton(QAbstractButton* button, const QString& title, const QColor& color, bool enabled) {
  button->setText(title);
  button->setEnabled(enabled);
  const QColor fill = enabled ? (color.isValid() ? color : QColor::fromRgbF(0.72f, 0.72f, 0.72f))
                              : QColor::fromRgbF(0.70f, 0.70f, 0.70f);
  const QColor text = enabled ? QColor(Qt::white) : QColor::fromRgbF(0.35f, 0.35f, 0.35f);
  // Our own buttons draw the fill, its hover and press states and the cursor themselves.
  if (auto* vantrel = qobject_cast<VantrelButton*>(button)) {
    vantrel->setStyleSheet(QString());
    QFont font = vantrel->font();
    font.setPixelSize(13);
    font.setWeight(QFont::DemiBold);
    vantrel->setFont(font);
    QPalette colours = vantrel->palette();
    colours.setColor(QPalette::ButtonText, text);
    vantrel->setPalette(colours);
    vantrel->setBaseColor(fill);
    return;
  }
  button->setCursor(enabled ? Qt::PointingHandCursor : Qt::ArrowCursor);
  button->setStyleSheet(
      QStringLiteral("QAbstractButton { background: %1; color: %2; border: none; border-radius: "
                     "10px; padding: 4px 10px; font-weight: 600; font-size: 13px; }"
                     "QAbstractButton:hover { background: %3; }"
                     "QAbstractButton:pressed { background: %4; }")
          .arg(cssColor(fill), cssColor(text), cssColor(enabled ? fill.lighter(114) : fill),
               cssColor(enabled ? fill.darker(128) : fill)));
}

void styleCardView(QWidget* card, const QColor& fill) {
  const QString name = card->objectName().isEmpty() ? QStringLiteral("card") : card->objectName();
  card->setObjectName(name);
  card->setStyleSheet(QStringLiteral("#%1 { background: %2; border: 1px solid %3; border-radius: "
                                     "14px; }")
                          .arg(name, cssColor(fill.isValid() ? fill : palette::cardBackground()),
                               cssColor(palette::softBorder())));
}

void styleStatusValue(QLabel* label, const QColor& color) {
  label->setAlignment(Qt::AlignCenter);
  label->setTextInteractionFlags(Qt::NoTextInteraction);
  label->setStyleSheet(
      QStringLiteral("QLabel { background: transparent; font-weight: bold; font-size: 13px; "
                     "color: %1; }")
          .arg(cssColor(color.isValid() ? color : palette::primaryText())));
}

void styleCounterField(QLineEdit* field) {
  field->setFrame(false);
  field->setAlignment(Qt::AlignCenter);
  field->setStyleSheet(
      QStringLiteral("QLineEdit { background: transparent; border: none; font-weight: bold; "
                     "font-size: 18px; color: %1; }")
          .arg(cssColor(palette::brand())));
}

void styleTextFieldBox(QLineEdit* field) {
  field->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  field->setStyleSheet(
      QStringLiteral("QLineEdit { background: %1; border: 1px solid %2; "
                     "border-radius: 8px; padding: 4px 8px; font-size: 14px; }")
          .arg(cssColor(palette::fieldBackground()), cssColor(palette::softBorder())));
}

QString abbreviatedHomePath(const QString& path) {
  const QString home = QDir::homePath();
  return path.startsWith(home + QLatin1Char('/')) ? QStringLiteral("~") + path.mid(home.size())
                                                  : path;
}
