// The empty-list placeholder: click to import a list, or drop list files on it.
#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>
#include <functional>

class VantrelDropZone : public QWidget {
  Q_OBJECT
 public:
  explicit VantrelDropZone(QWidget* parent = nullptr);

  std::function<void()> _onClick;
  std::function<bool(const QStringList&)> _onDropPaths;
  QColor _borderColor;
  QColor _textColor;

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};
