// The Shot Ledger window: today's photos, the ones not accounted for first and highlighted.
#pragma once

#include <QWidget>
#include <functional>

#include "shot_ledger.h"

class QLabel;
class QTableWidget;

class LedgerWindow : public QWidget {
  Q_OBJECT
 public:
  LedgerWindow(std::function<const vantrel::ledger::ShotLedger*()> ledger, std::int64_t graceMs,
               QWidget* parent = nullptr);

  void refresh();
  QTableWidget* table() const { return table_; }

 signals:
  void exportRequested();

 private:
  std::function<const vantrel::ledger::ShotLedger*()> ledger_;
  std::int64_t graceMs_;
  QLabel* summary_ = nullptr;
  QTableWidget* table_ = nullptr;
};
