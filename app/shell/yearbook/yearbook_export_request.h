// "Export Yearbook Package…": what the dialog offers, and what the operator chose.
#pragma once

#include <QString>
#include <QStringList>

#include "column_mapping.h"
#include "yearbook_options.h"

struct YearbookExportRequest {
  QStringList fieldNames;                      // the list's fields, in order
  vantrel::yearbook::ColumnMapping guess;      // from the field names, shown as the first choice
  vantrel::yearbook::YearbookOptions initial;  // volume name, size, notice, head room last used
  QString outputFolder;                        // where the package folder goes
  qint64 people = 0;                           // people in the list
};

struct YearbookExportAnswer {
  vantrel::yearbook::YearbookOptions options;
  QString outputFolder;
};
