#include "scan_select_controller.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QTableView>

#include "names_controller.h"
#include "scan_match.h"
#include "status_controller.h"
#include "utf8_text.h"

ScanSelectController::ScanSelectController(NamesController* names, StatusController* status,
                                           QObject* parent)
    : QObject(parent), _names(names), _status(status) {}

void ScanSelectController::attach(QLineEdit* searchField, QTableView* table,
                                  QWidget* shortcutHost) {
  _searchField = searchField;
  _table = table;
  if (_searchField) {
    connect(_searchField, &QLineEdit::returnPressed, this,
            [this] { selectScanned(_searchField->text()); });
  }
  if (_table) _table->installEventFilter(this);
  if (shortcutHost && _searchField) {
    auto* find = new QShortcut(QKeySequence(QStringLiteral("Ctrl+F")), shortcutHost);
    connect(find, &QShortcut::activated, this, [this] {
      _searchField->setFocus(Qt::ShortcutFocusReason);
      _searchField->selectAll();
    });
  }
}

bool ScanSelectController::selectScanned(const QString& code) {
  if (code.trimmed().isEmpty()) return false;
  const std::string bytes = code.toStdString();
  const auto rows = vantrel::names::rowsMatchingScan(_names->names(), bytes);
  if (rows.size() != 1) {
    _status->setStatus(utf8Text(rows.empty() ? vantrel::names::scanNoMatchStatus(bytes)
                                             : vantrel::names::scanSeveralStatus(bytes)),
                       QStringLiteral("busy"));
    QApplication::beep();
    return false;
  }
  _names->clearSearch();
  _names->selectModelRowInTable(rows.front(), true);
  _status->setStatus(
      utf8Text(vantrel::names::scanSelectedStatus(_names->names().nameForModelRow(rows.front()))),
      QStringLiteral("good"));
  return true;
}

bool ScanSelectController::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && watched == _table.data() && _searchField) {
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers chord = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const QString text = key->text();
    // A scanner types into the search field wherever the focus is in the list.
    if (!(key->modifiers() & chord) && !text.isEmpty() && text.at(0).isPrint()) {
      _searchField->setFocus(Qt::OtherFocusReason);
      _searchField->insert(text);
      _names->searchTextEdited(_searchField->text());
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}
