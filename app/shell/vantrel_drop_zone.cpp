#include "vantrel_drop_zone.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>

#include "dropped_roster_files.h"

VantrelDropZone::VantrelDropZone(QWidget* parent) : QWidget(parent) {
  setAcceptDrops(true);
  setCursor(Qt::PointingHandCursor);
  // Holds the focus while the list is empty, so that pasting reaches the list.
  setFocusPolicy(Qt::StrongFocus);
}

void VantrelDropZone::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  QPen pen(_borderColor.isValid() ? _borderColor : QColor(Qt::gray), 2);
  pen.setDashPattern({4.0, 3.0});  // 8 on, 6 off at a width of 2
  painter.setPen(pen);
  painter.drawRoundedRect(QRectF(rect()).adjusted(16, 16, -16, -16), 12, 12);
  const QColor text = _textColor.isValid() ? _textColor : QColor(0, 0, 0, 128);
  painter.setPen(text);
  QFont bold = font();
  bold.setBold(true);
  bold.setPixelSize(17);
  QFont body = font();
  body.setPixelSize(13);
  const QString title = QStringLiteral("Your list is empty\n\n");
  const QString hint = QStringLiteral(
      "Click to import a CSV\n(you choose the name column)\n\nor drag a CSV file here\n\nor "
      "paste names with  Ctrl+V");
  const QFontMetrics titleMetrics(bold);
  const QFontMetrics bodyMetrics(body);
  const QRect titleBox = titleMetrics.boundingRect(rect(), Qt::AlignCenter, title);
  const QRect hintBox = bodyMetrics.boundingRect(rect(), Qt::AlignCenter, hint);
  const int top = (height() - titleBox.height() - hintBox.height()) / 2;
  painter.setFont(bold);
  painter.drawText(QRect(0, top, width(), titleBox.height()), Qt::AlignHCenter | Qt::AlignTop,
                   title);
  painter.setFont(body);
  painter.drawText(QRect(0, top + titleBox.height(), width(), hintBox.height()),
                   Qt::AlignHCenter | Qt::AlignTop, hint);
}

void VantrelDropZone::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // When nothing in the window holds the focus, take it: Ctrl+V then pastes names.
  if (!window()->focusWidget()) setFocus(Qt::OtherFocusReason);
}

void VantrelDropZone::mouseReleaseEvent(QMouseEvent*) {
  if (_onClick) _onClick();
}

void VantrelDropZone::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  }
}

void VantrelDropZone::dropEvent(QDropEvent* event) {
  const QStringList files = droppedRosterFiles(event->mimeData());
  if (!files.isEmpty() && _onDropPaths && _onDropPaths(files)) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}
