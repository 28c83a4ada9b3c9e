// The status card with its return to the readiness summary, alerts, the storage card and the
// enabled state of the controls.
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTableView>

#include "dialogs.h"
#include "names_messages.h"
#include "palette.h"
#include "status_rules.h"
#include "vantrel_app_delegate.h"
#include "view_styling.h"

namespace {
constexpr int kStatusHoldMs = 3500;
constexpr int kReadyRefreshDelayMs = 1250;

QColor statusColor(const QString& kind) {
  if (kind == QLatin1String("watching")) return palette::green();
  if (kind == QLatin1String("error")) return palette::red();
  return palette::orange();
}
}  // namespace

void VantrelAppDelegate::setStatus(const QString& text, const QString& kind) {
  _lastFriendlyStatus = text;
  _lastStatusKind = kind.isEmpty() ? QStringLiteral("neutral") : kind;
  if (!_statusIsReadiness) {
    const qint64 generation = ++_statusRevertGen;
    QTimer::singleShot(kStatusHoldMs, this, [this, generation] {
      if (_statusRevertGen == generation) refreshReadyStatusIfIdle();
    });
  }
  if (_statusLabel) {
    _statusLabel->setText(QStringLiteral("● ") + text);
    _statusLabel->setToolTip(text);
    styleStatusValue(_statusLabel, statusColor(_lastStatusKind));
  }
}

void VantrelAppDelegate::refreshReadyStatusIfIdle() {
  const auto summary = vantrel::status::readinessSummary(
      _camera.cameraConnected && _camera.watching, !_targetDir.isEmpty(), !_names.isEmpty());
  _statusIsReadiness = true;
  setStatus(QString::fromStdString(summary.text), QString::fromStdString(summary.kind));
  _statusIsReadiness = false;
}

void VantrelAppDelegate::scheduleReadyStatusRefresh() {
  QTimer::singleShot(kReadyRefreshDelayMs, this, [this] { refreshReadyStatusIfIdle(); });
}

void VantrelAppDelegate::showAlert(const QString& title, const QString& message) {
  // Posted, so that no handler is ever suspended inside a modal dialog.
  QTimer::singleShot(0, this, [this, title, message] {
    _dialogs->alert(title.isEmpty() ? QStringLiteral("Vantrel Photo Tether") : title, message);
  });
}

QString VantrelAppDelegate::storageBaseFolder() const {
  if (!_targetDir.isEmpty()) return _targetDir;
  return QDir::home().filePath(QStringLiteral("Desktop"));
}

quint64 VantrelAppDelegate::freeLaptopBytes() const {
  QStorageInfo info(storageBaseFolder());
  return info.isValid() && info.isReady() ? static_cast<quint64>(info.bytesAvailable()) : 0;
}

quint64 VantrelAppDelegate::totalLaptopBytes() const {
  QStorageInfo info(storageBaseFolder());
  return info.isValid() && info.isReady() ? static_cast<quint64>(info.bytesTotal()) : 0;
}

void VantrelAppDelegate::updateStorageLabel() {
  using vantrel::status::StorageLevel;
  const quint64 free = freeLaptopBytes();
  const StorageLevel level = vantrel::status::storageLevel(free, totalLaptopBytes());
  QString text = QString::fromStdString(vantrel::status::compactStorageString(free));
  QColor color;
  QColor fill = palette::cardBackground();
  switch (level) {
    case StorageLevel::Plenty:
      color = palette::green();
      _lowLaptopStorageWarningShown = false;
      break;
    case StorageLevel::Low:
      color = palette::yellow();
      fill = QColor::fromRgbF(1.0f, 0.97f, 0.86f);
      _lowLaptopStorageWarningShown = false;
      break;
    case StorageLevel::Critical:
      color = palette::red();
      fill = QColor::fromRgbF(1.0f, 0.93f, 0.92f);
      if (!_lowLaptopStorageWarningShown) {
        _lowLaptopStorageWarningShown = true;
        showAlert(QStringLiteral("Laptop Storage Critical"),
                  QStringLiteral("Available storage is at or below 10 GB. Free up space "
                                 "immediately or photos may fail to write."));
      }
      break;
    case StorageLevel::Unknown:
      text = QStringLiteral("Unknown");
      color = palette::orange();
      fill = QColor::fromRgbF(1.0f, 0.95f, 0.9f);
      break;
  }
  if (_storageValueLabel) {
    _storageValueLabel->setText(text);
    styleStatusValue(_storageValueLabel, color);
  }
  if (_storageCard) styleCardView(_storageCard, fill);
  updateBackupCard();
}

void VantrelAppDelegate::updatePathLabels() {
  refreshSettingsPaths();
  updateNameColumnCount();
}

void VantrelAppDelegate::updateEmptyState() {
  if (!_tableStack) return;
  _tableStack->setCurrentIndex(_names.isEmpty() ? 1 : 0);
}

bool VantrelAppDelegate::showSelectionTotalsIfMultiple() {
  if (!_table || !_table->selectionModel()) return false;
  const QModelIndexList selected = _table->selectionModel()->selectedRows();
  if (selected.size() < 2) return false;
  std::vector<vantrel::names::DisplayRow> rows;
  for (const QModelIndex& index : selected) rows.push_back(index.row());
  setStatus(
      QString::fromStdString(vantrel::names::selectionTotalsStatus(_names.selectionTotals(rows))),
      QStringLiteral("neutral"));
  return true;
}

void VantrelAppDelegate::updateControls() {
  refreshCameraStatus();
  if (!_window) return;
  const bool setupAllowed = !(_camera.pendingConnect && !_camera.cameraConnected);
  if (_folderButton) {
    styleButton(_folderButton, QStringLiteral("Change…"),
                _targetDir.isEmpty() ? palette::brand() : palette::green(), setupAllowed);
  }
  if (_gearButton) styleButton(_gearButton, QStringLiteral("⚙"), palette::brand(), true);
  if (_resetButton) {
    styleButton(_resetButton, QStringLiteral("↻ Reset workflow"), palette::red(), setupAllowed);
  }
  if (_forceReconnectButton) {
    styleButton(_forceReconnectButton, QStringLiteral("⟳"), palette::brand(), true);
  }
  static const char* const kDestinationTitles[] = {"Both", "Disk", "Card"};
  for (int i = 0; i < _destButtons.size(); ++i) {
    styleButton(_destButtons[i], QString::fromUtf8(kDestinationTitles[i]),
                i == _camera.saveModeIndex ? palette::brand() : palette::gray(), setupAllowed);
  }
  restyleSuffixButtons();
  if (_suffixManageButton) {
    styleButton(_suffixManageButton, QStringLiteral("Edit…"), palette::gray(), setupAllowed);
  }
  if (_counterField) {
    styleCounterField(_counterField);
    _counterField->setEnabled(setupAllowed);
  }
  if (_addSearchButton) styleButton(_addSearchButton, QStringLiteral("+"), palette::green(), true);
  if (_clearSearchButton) {
    styleButton(_clearSearchButton, QStringLiteral("×"), palette::blue(), true);
  }
  if (_exportButton) {
    styleButton(_exportButton, QStringLiteral("Export"), palette::gray(), !_names.isEmpty());
  }
  const qint64 count = _previewImagePaths.size();
  if (_previewPrevButton) {
    styleButton(_previewPrevButton, QStringLiteral("◀"), palette::blue(), _previewIndex >= 1);
  }
  if (_previewNextButton) {
    styleButton(_previewNextButton, QStringLiteral("▶"), palette::blue(),
                _previewIndex >= 0 && _previewIndex < count - 1);
  }
  if (_previewRevealButton) {
    styleButton(_previewRevealButton, QStringLiteral("📂"), palette::gray(),
                !_currentPreviewPath.isEmpty());
  }
  if (_takePhotoMenuItem) _takePhotoMenuItem->setEnabled(_camera.watching);
  updateEmptyState();
  updateNameColumnCount();
}
