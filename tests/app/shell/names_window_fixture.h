// The window's names list driven as the operator does: typing, clicking, the row menu, the
// clipboard and drags, with scripted dialogs. No camera: no worker is started, and the worker
// path points nowhere, so that no other test's worker is taken for a stray one and ended.
#pragma once

#include <QApplication>
#include <QContextMenuEvent>
#include <QDragMoveEvent>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QUrl>

#include "names_table_model.h"
#include "shell_fixture.h"
#include "vantrel_drop_zone.h"
#include "vantrel_table_view.h"

class NamesWindowTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    env().workerPath = path(QStringLiteral("no-worker/vantrel_cpp_worker"));
    setStoredValue(QStringLiteral("VantrelAutoConnectV2"), false);
  }

  VantrelAppDelegate& launchWith(const QStringList& names) {
    if (!names.isEmpty()) writeGridStore(names);
    return launch();
  }
  // A store with counts, notes and markers: name, note, count, marker per row.
  void writeStoreRows(const QList<QStringList>& rows) {
    QByteArray text = "File Name,Notes,Captured,Marker";
    for (const QStringList& row : rows) text += "\n" + row.join(',').toUtf8();
    QDir().mkpath(env().dataFolder);
    QFile file(env().gridStorePath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }

  template <typename T>
  T* child(const char* name) {
    return app().window()->findChild<T*>(QString::fromLatin1(name));
  }
  VantrelTableView* table() { return child<VantrelTableView>("namesTable"); }
  QLineEdit* searchField() { return child<QLineEdit>("searchField"); }
  QLineEdit* noteField() { return child<QLineEdit>("noteField"); }
  VantrelDropZone* dropZone() { return child<VantrelDropZone>("emptyDropZone"); }
  bool dropZoneShown() { return dropZone()->isVisibleTo(app().window()); }

  // Names in list order, and as the table shows them.
  QStringList listNames() {
    QStringList names;
    for (qint64 row = 0; row < app().list().names().rowCount(); ++row) {
      names << QString::fromStdString(std::string(app().list().names().nameForModelRow(row)));
    }
    return names;
  }
  QStringList shownNames() {
    QStringList names;
    for (int row = 0; row < table()->model()->rowCount(); ++row) {
      names << table()->model()->index(row, NamesTableModel::NameColumn).data().toString();
    }
    return names;
  }
  QList<int> selectedDisplayRows() {
    QList<int> rows;
    for (const QModelIndex& index : table()->selectionModel()->selectedRows()) rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
  }

  QString writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(path(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  }
  QByteArray readFile(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
  }
  QByteArray store() { return readFile(env().gridStorePath); }
  QVariant storedValue(const QString& key) {
    return QSettings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel Tether")).value(key);
  }

  // Viewport points: the top edge of a display row (a drop between it and the row above), and
  // the middle of a cell (a drop onto its row).
  QPoint betweenRows(int row) { return {60, table()->rowViewportPosition(row) + 2}; }
  QPoint ontoRow(int row, int column = NamesTableModel::NameColumn) {
    return table()->visualRect(table()->model()->index(row, column)).center();
  }

  // A drag that hovers over `pos` and is dropped there.
  struct DropOutcome {
    bool hoverAccepted = false;
    bool dropAccepted = false;
  };
  DropOutcome dragAndDrop(QWidget* target, QMimeData* data, const QPoint& pos) {
    const Qt::DropActions actions = Qt::MoveAction | Qt::CopyAction;
    QDragEnterEvent enter(pos, actions, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(pos, actions, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(QPointF(pos), actions, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return {move.isAccepted(), drop.isAccepted()};
  }
  QMimeData* files(const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& file : paths) urls << QUrl::fromLocalFile(file);
    auto* data = new QMimeData;
    data->setUrls(urls);
    return data;
  }

  // Opens the row menu on a display row (-1: below the rows) and chooses an item.
  void chooseFromRowMenu(int displayRow, const QString& item) {
    const QPoint pos =
        displayRow >= 0 ? ontoRow(displayRow) : QPoint(60, table()->viewport()->height() - 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, table()->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(table()->viewport(), &event);
    auto* menu = table()->findChild<QMenu*>(QStringLiteral("rowMenu"));
    ASSERT_TRUE(menu && menu->isVisible());
    EXPECT_EQ(menu->title(), "Row");
    QAction* chosen = nullptr;
    for (QAction* action : menu->actions()) {
      if (action->text() == item) chosen = action;
    }
    ASSERT_TRUE(chosen) << item.toStdString();
    menu->hide();
    chosen->trigger();
  }

  // Focus and menu shortcuts work as on screen only in the active window.
  void activateWindow() {
    app().window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(app().window()));
  }
};
