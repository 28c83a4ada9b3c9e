#include "vantrel_table_view.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QDragMoveEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QPainter>
#include <algorithm>

#include "palette.h"
#include "view_styling.h"

namespace {
constexpr int kRowHeight = 34;
constexpr qreal kSelectionInsetX = 4.0;
constexpr qreal kSelectionInsetY = 1.5;
constexpr qreal kSelectionRadius = 7.0;
}  // namespace

VantrelTableView::VantrelTableView(QWidget* parent) : QTableView(parent) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setShowGrid(false);
  setAlternatingRowColors(false);
  setWordWrap(false);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  // Fixed, uniform rows keep long lists cheap: no per-row size queries.
  verticalHeader()->setVisible(false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  horizontalHeader()->setSectionsMovable(false);
  horizontalHeader()->setSectionsClickable(true);
  horizontalHeader()->setHighlightSections(false);
  // Our own drag handling and indicator; the item view's would ask the model instead.
  setDragEnabled(true);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDropIndicatorShown(false);
  // The standard highlight stays transparent; paintEvent draws the rounded one underneath.
  setStyleSheet(QStringLiteral("QTableView { background: %1; border: none; outline: 0; "
                               "selection-background-color: transparent; selection-color: white; }"
                               "QTableView::item { padding: 0 3px; }")
                    .arg(cssColor(palette::cardBackground())));
  connect(horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column, int, int width) { clampColumn(column, width); });
}

VantrelTableView::DropTarget VantrelTableView::dropTargetAt(const QPoint& viewportPos) const {
  const int rows = model() ? model()->rowCount() : 0;
  const int row = rowAt(viewportPos.y());
  if (row < 0) return {rows, false};
  // The outer quarters of a row mean "between", its middle "onto".
  const int top = rowViewportPosition(row);
  const int height = rowHeight(row);
  const int margin = height / 4;
  if (viewportPos.y() < top + margin) return {row, false};
  if (viewportPos.y() >= top + height - margin) return {row + 1, false};
  return {row, true};
}

void VantrelTableView::setColumnWidthLimits(int column, int minWidth, int maxWidth) {
  widthLimits_.insert(column, {minWidth, maxWidth});
  clampColumn(column, columnWidth(column));
}

void VantrelTableView::clampColumn(int column, int newWidth) {
  const auto limits = widthLimits_.constFind(column);
  if (limits == widthLimits_.constEnd()) return;
  const int clamped = std::clamp(newWidth, limits->first, limits->second);
  if (clamped != newWidth) horizontalHeader()->resizeSection(column, clamped);
}

void VantrelTableView::showEvent(QShowEvent* event) {
  QTableView::showEvent(event);
  // When nothing in the window holds the focus, take it: copy and paste then reach the list.
  if (!window()->focusWidget()) setFocus(Qt::OtherFocusReason);
}

void VantrelTableView::paintEvent(QPaintEvent* event) {
  if (model() && selectionModel() && model()->rowCount() > 0) {
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(_vantrelSelectionColor.isValid() ? _vantrelSelectionColor
                                                      : palette().color(QPalette::Highlight));
    const int last = model()->rowCount() - 1;
    const int first = std::max(0, rowAt(0));
    const int bottom = rowAt(viewport()->height() - 1);
    const qreal left = -horizontalOffset();
    const qreal width = horizontalHeader()->length();
    for (int row = first; row <= (bottom < 0 ? last : bottom); ++row) {
      if (!selectionModel()->isRowSelected(row, rootIndex())) continue;
      const QRectF rect(left, rowViewportPosition(row), width, rowHeight(row));
      painter.drawRoundedRect(
          rect.adjusted(kSelectionInsetX, kSelectionInsetY, -kSelectionInsetX, -kSelectionInsetY),
          kSelectionRadius, kSelectionRadius);
    }
  }
  QTableView::paintEvent(event);
  if (!shownDropTarget_) return;
  QPainter painter(viewport());
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(palette::brand(), 2));
  const int rows = model() ? model()->rowCount() : 0;
  const qreal width = std::min(horizontalHeader()->length(), viewport()->width());
  if (shownDropTarget_->onto) {
    const int row = shownDropTarget_->row;
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(
        QRectF(0, rowViewportPosition(row), width, rowHeight(row))
            .adjusted(kSelectionInsetX, kSelectionInsetY, -kSelectionInsetX, -kSelectionInsetY),
        kSelectionRadius, kSelectionRadius);
  } else {
    const int row = shownDropTarget_->row;
    const int y = rows == 0    ? 1
                  : row < rows ? rowViewportPosition(row)
                               : rowViewportPosition(rows - 1) + rowHeight(rows - 1) - 1;
    painter.drawLine(QPointF(kSelectionInsetX, y), QPointF(width - kSelectionInsetX, y));
  }
}

void VantrelTableView::startDrag(Qt::DropActions) {
  if (!_rowDragData || !selectionModel()) return;
  // Only the first dragged row counts.
  int row = currentIndex().isValid() ? currentIndex().row() : -1;
  for (const QModelIndex& selected : selectionModel()->selectedRows()) {
    if (row < 0 || selected.row() < row) row = selected.row();
  }
  if (row < 0) return;
  QMimeData* data = _rowDragData(row);
  if (!data) return;
  auto* drag = new QDrag(this);
  drag->setMimeData(data);
  const QRect rowRect(0, rowViewportPosition(row), viewport()->width(), rowHeight(row));
  drag->setPixmap(viewport()->grab(rowRect));
  drag->setHotSpot(viewport()->mapFromGlobal(QCursor::pos()) - rowRect.topLeft());
  drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

void VantrelTableView::dragEnterEvent(QDragEnterEvent* event) {
  dragMoveEvent(event);
}

void VantrelTableView::dragMoveEvent(QDragMoveEvent* event) {
  const QPoint pos = event->position().toPoint();
  const DropTarget target = dropTargetAt(pos);
  const Qt::DropAction action =
      _validateDrop ? _validateDrop(event->mimeData(), target) : Qt::IgnoreAction;
  if (action == Qt::IgnoreAction || !(event->possibleActions() & action)) {
    event->ignore();
    showDropTarget(std::nullopt);
  } else {
    event->setDropAction(action);
    event->accept();
    showDropTarget(target);
  }
  const int margin = autoScrollMargin();
  if (hasAutoScroll() && (pos.y() < margin || pos.y() > viewport()->height() - margin)) {
    startAutoScroll();
  }
}

void VantrelTableView::dragLeaveEvent(QDragLeaveEvent*) {
  stopAutoScroll();
  showDropTarget(std::nullopt);
}

void VantrelTableView::dropEvent(QDropEvent* event) {
  stopAutoScroll();
  showDropTarget(std::nullopt);
  const DropTarget target = dropTargetAt(event->position().toPoint());
  if (_acceptDrop && _acceptDrop(event->mimeData(), target)) {
    event->accept();
  } else {
    event->ignore();
  }
}

void VantrelTableView::contextMenuEvent(QContextMenuEvent* event) {
  if (!_onContextMenu) return;
  // From the keyboard no row was clicked: the menu then acts on the selected row.
  const int row = event->reason() == QContextMenuEvent::Mouse ? rowAt(event->pos().y()) : -1;
  _onContextMenu(row, event->globalPos());
  event->accept();
}

void VantrelTableView::showDropTarget(const std::optional<DropTarget>& target) {
  const bool same =
      target.has_value() == shownDropTarget_.has_value() &&
      (!target || (target->row == shownDropTarget_->row && target->onto == shownDropTarget_->onto));
  if (same) return;
  shownDropTarget_ = target;
  viewport()->update();
}
