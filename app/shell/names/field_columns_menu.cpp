#include "field_columns_menu.h"

#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <algorithm>

#include "field_names.h"
#include "names_table_model.h"
#include "settings_keys.h"
#include "user_defaults.h"
#include "utf8_text.h"

FieldColumnsMenu::FieldColumnsMenu(NamesTableModel* model, const vantrel::names::NamesList& names,
                                   UserDefaults* defaults, QObject* parent)
    : QObject(parent), _model(model), _names(names), _defaults(defaults) {}

void FieldColumnsMenu::attach(QTableView* table) {
  QHeaderView* header = table->horizontalHeader();
  header->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(header, &QHeaderView::customContextMenuRequested, this,
          [this, header](const QPoint& pos) { showHeaderMenu(header->mapToGlobal(pos)); });
  _menu = new QMenu(QStringLiteral("Columns"), table);
  _menu->setObjectName(QStringLiteral("fieldColumnsMenu"));
  _model->setShownFieldNames(_defaults->value(settings_keys::kShownFields).toStringList());
}

void FieldColumnsMenu::showHeaderMenu(const QPoint& globalPos) {
  if (!_menu) return;
  _menu->clear();
  QAction* title = _menu->addAction(QStringLiteral("Show Columns"));
  title->setEnabled(false);
  const QStringList shown = _model->shownFields();
  if (_names.fieldNames().empty()) {
    _menu->addAction(QStringLiteral("No other columns in this list"))->setEnabled(false);
  }
  for (const std::string& name : _names.fieldNames()) {
    const QString field = utf8Text(name);
    QAction* item = _menu->addAction(field);
    item->setCheckable(true);
    item->setChecked(shown.contains(field));
    connect(item, &QAction::toggled, this,
            [this, field](bool checked) { setFieldShown(field, checked); });
  }
  _menu->popup(globalPos);
}

void FieldColumnsMenu::setFieldShown(const QString& field, bool shown) {
  QStringList wanted = _defaults->value(settings_keys::kShownFields).toStringList();
  wanted.erase(std::remove_if(wanted.begin(), wanted.end(),
                              [&](const QString& name) {
                                return vantrel::names::sameFieldName(name.toStdString(),
                                                                     field.toStdString());
                              }),
               wanted.end());
  if (shown) wanted << field;
  _defaults->set(settings_keys::kShownFields, wanted);
  _model->setShownFieldNames(wanted);
  emit shownFieldsChanged();
}
