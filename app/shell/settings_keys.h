// Every settings key the application reads or writes, in one place.
#pragma once

#include <QString>

namespace settings_keys {
inline const QString kTargetDir = QStringLiteral("VantrelLastTargetDir");
inline const QString kCsvPath = QStringLiteral("VantrelLastCSVPath");
inline const QString kSelectedRow = QStringLiteral("VantrelLastSelectedRowIndex");
inline const QString kCounter = QStringLiteral("VantrelLastCounterValue");
inline const QString kAutoConnect = QStringLiteral("VantrelAutoConnectV2");
inline const QString kBackupDir = QStringLiteral("VantrelBackupDir");
inline const QString kBackupEnabled = QStringLiteral("VantrelBackupEnabled");
inline const QString kBackupShareUrl = QStringLiteral("VantrelBackupShareURL");
inline const QString kBackupMac = QStringLiteral("VantrelBackupMAC");
// The mount point that held the backup folder when it was chosen.
inline const QString kBackupMountPoint = QStringLiteral("VantrelBackupMountPoint");
// The camera driver ("maker", "gphoto2" or "simulated"; none: the maker's library when it is
// installed, else gphoto2) and a network camera's address for gphoto2.
inline const QString kCameraDriver = QStringLiteral("VantrelCameraDriver");
inline const QString kNetworkCameraAddress = QStringLiteral("VantrelNetworkCameraAddress");
inline const QString kSuffixes = QStringLiteral("VantrelSuffixes");
// Photos per person (0: no limit) and whether the selection moves on once someone has them.
inline const QString kPhotosPerPerson = QStringLiteral("VantrelPhotosPerPerson");
inline const QString kSelectNextRemaining = QStringLiteral("VantrelSelectNextRemaining");
inline const QString kLastUpdateCheck = QStringLiteral("VantrelLastUpdateCheck");
inline const QString kUpdateUrl = QStringLiteral("VantrelUpdateURL");
// The workflow keys a reset removes; backup, auto-connect, tag and update keys survive it.
inline const QString kWorkflowKeys[] = {kCsvPath, kTargetDir, kSelectedRow, kCounter};
}  // namespace settings_keys
