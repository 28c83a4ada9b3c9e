// The names table: 34-point rows, its own rounded selection in the brand colour, and drags of
// rows and roster files. It decides nothing itself: what a drag carries and whether a drop is
// taken are asked of the controller through the callbacks below.
#pragma once

#include <QColor>
#include <QHash>
#include <QPair>
#include <QTableView>
#include <functional>
#include <optional>

class QMimeData;

class VantrelTableView : public QTableView {
  Q_OBJECT
 public:
  // Where a drag would land: between display rows (`row` is the row it would be inserted
  // before, the row count for the end), or onto display row `row`.
  struct DropTarget {
    int row = 0;
    bool onto = false;
  };

  explicit VantrelTableView(QWidget* parent = nullptr);

  // The fill of selected rows; the palette's highlight when unset.
  QColor _vantrelSelectionColor;

  // What dragging a display row carries; nothing refuses the drag.
  std::function<QMimeData*(int displayRow)> _rowDragData;
  // The operation a drop would get there; Qt::IgnoreAction refuses it.
  std::function<Qt::DropAction(const QMimeData*, DropTarget)> _validateDrop;
  // Takes the drop; false refuses it.
  std::function<bool(const QMimeData*, DropTarget)> _acceptDrop;
  // The row menu, for a display row or -1 when opened below the rows.
  std::function<void(int displayRow, const QPoint& globalPos)> _onContextMenu;

  DropTarget dropTargetAt(const QPoint& viewportPos) const;
  // Keeps a column's width inside limits when the table or the user resizes it.
  void setColumnWidthLimits(int column, int minWidth, int maxWidth);

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void startDrag(Qt::DropActions supportedActions) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void showDropTarget(const std::optional<DropTarget>& target);
  void clampColumn(int column, int newWidth);

  std::optional<DropTarget> shownDropTarget_;
  QHash<int, QPair<int, int>> widthLimits_;
};
