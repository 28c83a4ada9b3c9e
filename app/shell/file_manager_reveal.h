// Showing a file or folder in the desktop's file manager.
#pragma once

#include <QString>

class QObject;

// Asks the freedesktop file manager to show `item` selected, without waiting for it; when no
// file manager answers, opens `fallbackFolder` instead. `context` owns the pending call.
void revealInFileManager(const QString& item, const QString& fallbackFolder, QObject* context);
