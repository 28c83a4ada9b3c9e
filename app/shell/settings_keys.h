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
// The mount point that held the target folder once it held photos, and that folder.
inline const QString kTargetMountPoint = QStringLiteral("VantrelTargetMountPoint");
inline const QString kTargetMountFolder = QStringLiteral("VantrelTargetMountFolder");
// The import preview's choices, by the header of the file they were made for (one CSV line each).
inline const QString kImportChoices = QStringLiteral("VantrelImportChoices");
// Fields shown as extra columns of the names table, by name.
inline const QString kShownFields = QStringLiteral("VantrelShownFields");
// The export format last chosen (0 plain, 1 UTF-8 with BOM, 2 with BOM and semicolons).
inline const QString kExportFormat = QStringLiteral("VantrelExportFormat");
inline const QString kSuffixes = QStringLiteral("VantrelSuffixes");
// Photos per person (0: no limit) and whether the selection moves on once someone has them.
inline const QString kPhotosPerPerson = QStringLiteral("VantrelPhotosPerPerson");
inline const QString kSelectNextRemaining = QStringLiteral("VantrelSelectNextRemaining");
// The yearbook package as last exported, and the crop frame over the preview.
inline const QString kYearbookVolume = QStringLiteral("VantrelYearbookVolume");
inline const QString kYearbookSize = QStringLiteral("VantrelYearbookSize");
inline const QString kYearbookCopyright = QStringLiteral("VantrelYearbookCopyright");
inline const QString kYearbookHeadroom = QStringLiteral("VantrelYearbookHeadroomPercent");
inline const QString kYearbookFolder = QStringLiteral("VantrelYearbookFolder");
inline const QString kYearbookFrameShown = QStringLiteral("VantrelYearbookFrameShown");
inline const QString kLastUpdateCheck = QStringLiteral("VantrelLastUpdateCheck");
inline const QString kUpdateUrl = QStringLiteral("VantrelUpdateURL");
// The workflow keys a reset removes; backup, auto-connect, tag and update keys survive it.
inline const QString kWorkflowKeys[] = {kCsvPath, kTargetDir, kSelectedRow, kCounter};
}  // namespace settings_keys
