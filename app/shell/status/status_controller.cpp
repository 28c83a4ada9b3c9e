#include "status_controller.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTimer>

#include "dialogs.h"
#include "elided_label.h"
#include "palette.h"
#include "status_rules.h"
#include "view_styling.h"

namespace {
constexpr int kStatusHoldMs = 3500;
constexpr int kReadyRefreshDelayMs = 1250;
constexpr int kStorageRefreshMs = 15000;

QColor statusColor(const QString& kind) {
  if (kind == QLatin1String("watching")) return palette::green();
  if (kind == QLatin1String("error")) return palette::red();
  return palette::orange();
}

QColor pillColor(vantrel::link::PillColor color) {
  switch (color) {
    case vantrel::link::PillColor::Green:
      return palette::green();
    case vantrel::link::PillColor::Orange:
      return palette::orange();
    case vantrel::link::PillColor::Red:
      return palette::red();
    case vantrel::link::PillColor::Secondary:
      break;
  }
  return palette::secondaryLabel();
}
}  // namespace

StatusController::StatusController(Dialogs* dialogs, QObject* parent)
    : QObject(parent), _dialogs(dialogs) {}

void StatusController::attach(const StatusViews& views) {
  _views = views;
}

void StatusController::setStatus(const QString& text, const QString& kind) {
  _statusHeld = false;
  _lastFriendlyStatus = text;
  _lastStatusKind = kind.isEmpty() ? QStringLiteral("neutral") : kind;
  if (!_statusIsReadiness) {
    const qint64 generation = ++_statusRevertGen;
    QTimer::singleShot(kStatusHoldMs, this, [this, generation] {
      if (_statusRevertGen == generation) refreshReadyStatusIfIdle();
    });
  }
  if (_views.status) {
    _views.status->setFullText(QStringLiteral("● ") + text);
    _views.status->setToolTip(text);
    styleStatusValue(_views.status, statusColor(_lastStatusKind));
  }
}

void StatusController::holdStatus(const QString& text, const QString& kind) {
  setStatus(text, kind);
  _statusHeld = true;
}

void StatusController::releaseHeldStatus() {
  if (!_statusHeld) return;
  _statusHeld = false;
  refreshReadyStatusIfIdle();
}

void StatusController::refreshReadyStatusIfIdle() {
  if (_statusHeld) return;
  const Readiness readiness = _readiness ? _readiness() : Readiness{};
  const auto summary = vantrel::status::readinessSummary(
      readiness.capturing, readiness.hasTargetFolder, readiness.hasNames);
  _statusIsReadiness = true;
  if (!readiness.attention.isEmpty()) {
    setStatus(readiness.attention, QStringLiteral("busy"));
  } else {
    setStatus(QString::fromStdString(summary.text), QString::fromStdString(summary.kind));
  }
  _statusIsReadiness = false;
}

void StatusController::scheduleReadyStatusRefresh() {
  QTimer::singleShot(kReadyRefreshDelayMs, this, [this] { refreshReadyStatusIfIdle(); });
}

void StatusController::showAlert(const QString& title, const QString& message) {
  QTimer::singleShot(0, this, [this, title, message] {
    if (_terminating) return;
    _dialogs->alert(title.isEmpty() ? QStringLiteral("Vantrel Photo Tether") : title, message);
  });
}

void StatusController::showCameraPill(const vantrel::link::CameraPill& pill) {
  _cameraStatusText = QString::fromStdString(pill.text);
  _cameraStatusTooltip = QString::fromStdString(pill.tooltip());
  if (!_views.cameraPill) return;
  _views.cameraPill->setText(QStringLiteral("● ") + _cameraStatusText);
  styleStatusValue(_views.cameraPill, pillColor(pill.color));
  _views.cameraPill->setToolTip(_cameraStatusTooltip);
}

QString StatusController::storageBaseFolder() const {
  const QString target = _targetFolder ? _targetFolder() : QString();
  if (!target.isEmpty()) return target;
  // Many Linux homes have no "Desktop": the folder the desktop names, else the home folder.
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  if (!desktop.isEmpty() && QFileInfo(desktop).isDir()) return desktop;
  return QDir::homePath();
}

VolumeSpace StatusController::laptopVolumeSpace() const {
  const QString folder = storageBaseFolder();
  if (_readVolume) return _readVolume(folder);
  const QStorageInfo info(folder);
  if (!info.isValid() || !info.isReady()) return {};
  return {static_cast<quint64>(info.bytesAvailable()), static_cast<quint64>(info.bytesTotal())};
}

void StatusController::updateStorageLabel() {
  using vantrel::status::StorageLevel;
  const VolumeSpace space = laptopVolumeSpace();
  const quint64 free = space.freeBytes;
  const StorageLevel level = vantrel::status::storageLevel(free, space.totalBytes);
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
  if (_views.storageValue) {
    _views.storageValue->setText(text);
    styleStatusValue(_views.storageValue, color);
  }
  if (_views.storageCard) styleCardView(_views.storageCard, fill);
  emit storageRefreshed();
}

void StatusController::startStorageTimer() {
  if (_storageTimer) return;
  _storageTimer = new QTimer(this);
  _storageTimer->setInterval(kStorageRefreshMs);
  connect(_storageTimer, &QTimer::timeout, this, [this] { updateStorageLabel(); });
  _storageTimer->start();
}

void StatusController::stopForTermination() {
  _terminating = true;
  if (_storageTimer) _storageTimer->stop();
}
