// The status card with its return to the readiness summary, the camera pill, the storage card and
// alerts. Other subsystems report through it; it reads nothing of theirs but what the composition
// root hands it as sources.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "camera_state.h"

class Dialogs;
class ElidedLabel;
class QFrame;
class QLabel;
class QTimer;

struct StatusViews {
  ElidedLabel* status = nullptr;
  QLabel* cameraPill = nullptr;
  QLabel* storageValue = nullptr;
  QFrame* storageCard = nullptr;
};

// The volume that holds a folder; total 0 when it cannot be read.
struct VolumeSpace {
  quint64 freeBytes = 0;
  quint64 totalBytes = 0;
};

// What the readiness summary adds up.
struct Readiness {
  bool capturing = false;
  bool hasTargetFolder = false;
  bool hasNames = false;
  // Something the operator must look at ("1 photo not accounted for"): shown instead, in orange.
  QString attention;
};

class StatusController : public QObject {
  Q_OBJECT
 public:
  StatusController(Dialogs* dialogs, QObject* parent = nullptr);

  void attach(const StatusViews& views);
  void setReadinessSource(std::function<Readiness()> source) { _readiness = std::move(source); }
  // The folder whose volume the storage card shows: the target folder, or empty for none.
  void setTargetFolderSource(std::function<QString()> source) { _targetFolder = std::move(source); }
  // How a folder's volume is read; the disk's own answer unless replaced (tests fill disks).
  void setVolumeReader(std::function<VolumeSpace(const QString&)> reader) {
    _readVolume = std::move(reader);
  }

  void setStatus(const QString& text, const QString& kind);
  // A status that stays over the readiness summary until another status replaces it or it is
  // released: a warning the operator must not miss.
  void holdStatus(const QString& text, const QString& kind);
  void releaseHeldStatus();
  bool statusHeld() const { return _statusHeld; }
  void refreshReadyStatusIfIdle();
  void scheduleReadyStatusRefresh();
  // Posted, so that no handler is ever suspended inside a modal dialog.
  void showAlert(const QString& title, const QString& message);

  void showCameraPill(const vantrel::link::CameraPill& pill);

  quint64 freeLaptopBytes() const { return laptopVolumeSpace().freeBytes; }
  quint64 totalLaptopBytes() const { return laptopVolumeSpace().totalBytes; }
  VolumeSpace laptopVolumeSpace() const;
  void updateStorageLabel();
  void startStorageTimer();
  // The application is ending: timers stop, and no alert opens any more (a modal dialog would
  // hold up the photos still being filed behind the closed window).
  void stopForTermination();
  // A new connection may warn about low storage again.
  void resetLowStorageWarning() { _lowLaptopStorageWarningShown = false; }

  const QString& lastFriendlyStatus() const { return _lastFriendlyStatus; }
  const QString& lastStatusKind() const { return _lastStatusKind; }
  const QString& cameraStatusText() const { return _cameraStatusText; }
  const QString& cameraStatusTooltip() const { return _cameraStatusTooltip; }

 signals:
  // The storage card was read again (the backup card follows it).
  void storageRefreshed();

 private:
  QString storageBaseFolder() const;

  Dialogs* _dialogs;
  StatusViews _views;
  std::function<Readiness()> _readiness;
  std::function<QString()> _targetFolder;
  std::function<VolumeSpace(const QString&)> _readVolume;
  QString _lastFriendlyStatus;
  QString _lastStatusKind;
  QString _cameraStatusText;
  QString _cameraStatusTooltip;
  bool _statusIsReadiness = false;
  bool _statusHeld = false;
  qint64 _statusRevertGen = 0;
  bool _lowLaptopStorageWarningShown = false;
  bool _terminating = false;
  QTimer* _storageTimer = nullptr;
};
