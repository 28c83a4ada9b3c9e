// Showing a file or folder in the desktop's file manager.
#pragma once

#include <QString>
#include <QUrl>
#include <string>

class QObject;

// The file address of a path given by its file-name bytes, as text: bytes that are not UTF-8
// stay percent-encoded as they are (a QUrl would replace them).
QString fileUriText(const std::string& path);
// The address of `path` or, when its name is not UTF-8, of the nearest folder above it whose
// name a QUrl can hold.
QUrl nearestLocalFileUrl(const std::string& path);

// Asks the freedesktop file manager to show `item` selected, without waiting for it; when no
// file manager answers, opens `fallbackFolder` (or the nearest folder above it a QUrl can name)
// instead. Both are file-name bytes. `context` owns
// the pending call.
void revealInFileManager(const std::string& item, const std::string& fallbackFolder,
                         QObject* context);
