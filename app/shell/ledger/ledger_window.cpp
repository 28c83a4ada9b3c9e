#include "ledger_window.h"

#include <QDate>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "palette.h"
#include "plural.h"
#include "utf8_text.h"

namespace {

QString pendingText(vantrel::ledger::Pending pending) {
  switch (pending) {
    case vantrel::ledger::Pending::Download:
      return QStringLiteral("Not downloaded");
    case vantrel::ledger::Pending::Filing:
      return QStringLiteral("Not filed");
    case vantrel::ledger::Pending::Backup:
      return QStringLiteral("Not backed up");
    case vantrel::ledger::Pending::None:
      break;
  }
  return QStringLiteral("Accounted for");
}

}  // namespace

LedgerWindow::LedgerWindow(std::function<const vantrel::ledger::ShotLedger*()> ledger,
                           std::int64_t graceMs, QWidget* parent)
    : QWidget(parent, Qt::Window), ledger_(std::move(ledger)), graceMs_(graceMs) {
  setWindowTitle(QStringLiteral("Shot Ledger"));
  resize(900, 480);
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  summary_ = new QLabel(this);
  auto* exportButton = new QPushButton(QStringLiteral("Export Ledger…"), this);
  connect(exportButton, &QPushButton::clicked, this, &LedgerWindow::exportRequested);
  top->addWidget(summary_, 1);
  top->addWidget(exportButton);
  layout->addLayout(top);
  table_ = new QTableWidget(0, 6, this);
  table_->setHorizontalHeaderLabels({QStringLiteral("State"), QStringLiteral("Time"),
                                     QStringLiteral("Camera File"), QStringLiteral("Person"),
                                     QStringLiteral("Saved As"), QStringLiteral("Backup")});
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->setVisible(false);
  table_->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(table_);
}

void LedgerWindow::refresh() {
  const vantrel::ledger::ShotLedger* ledger = ledger_();
  if (!ledger) return;
  const std::string day = QDate::currentDate().toString(Qt::ISODate).toStdString();
  const std::int64_t now = QDateTime::currentMSecsSinceEpoch();
  struct Shown {
    std::size_t row;
    vantrel::ledger::Pending pending;
  };
  std::vector<Shown> shown;
  for (std::size_t i = 0; i < ledger->rows().size(); ++i) {
    if (vantrel::ledger::dayOf(ledger->rows()[i].time) != day) continue;
    shown.push_back({i, ledger->pending(i, now, graceMs_)});
  }
  // Not accounted for first, then newest first.
  std::stable_sort(shown.begin(), shown.end(), [](const Shown& a, const Shown& b) {
    const bool aOpen = a.pending != vantrel::ledger::Pending::None;
    const bool bOpen = b.pending != vantrel::ledger::Pending::None;
    return aOpen != bOpen ? aOpen : a.row > b.row;
  });
  const auto open =
      static_cast<std::size_t>(std::count_if(shown.begin(), shown.end(), [](const Shown& s) {
        return s.pending != vantrel::ledger::Pending::None;
      }));
  summary_->setText(open == 0 ? QStringLiteral("%1 today, every one accounted for.")
                                    .arg(utf8Text(vantrel::counted(
                                        static_cast<long long>(shown.size()), "photo")))
                              : utf8Text(vantrel::ledger::unaccountedText(open)));
  table_->setRowCount(static_cast<int>(shown.size()));
  for (int r = 0; r < static_cast<int>(shown.size()); ++r) {
    const auto& row = ledger->rows()[shown[static_cast<std::size_t>(r)].row];
    const auto pending = shown[static_cast<std::size_t>(r)].pending;
    const QStringList cells = {pendingText(pending),     utf8Text(row.time),
                               utf8Text(row.cameraFile), utf8Text(row.person),
                               utf8Text(row.savedAs),    utf8Text(row.backup)};
    for (int c = 0; c < cells.size(); ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      if (pending != vantrel::ledger::Pending::None) {
        QColor highlight = palette::orange();
        highlight.setAlpha(60);
        item->setBackground(highlight);
      }
      table_->setItem(r, c, item);
    }
  }
}
