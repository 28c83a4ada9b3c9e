// The shared look of cards, buttons and value labels.
#pragma once

#include <QColor>
#include <QString>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QWidget;

QString cssColor(const QColor& color);
void styleButton(QAbstractButton* button, const QString& title, const QColor& color, bool enabled);
void styleCardView(QWidget* card, const QColor& fill);
void styleStatusValue(QLabel* label, const QColor& color);
void styleCounterField(QLineEdit* field);
void styleTextFieldBox(QLineEdit* field);
// A path under the home folder written with "~".
QString abbreviatedHomePath(const QString& path);
