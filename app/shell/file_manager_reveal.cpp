#include "file_manager_reveal.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QFile>
#include <QStringList>
#include <filesystem>

namespace {
// A file manager that has not answered by then is not coming.
constexpr int kFileManagerReplyMs = 2000;
}  // namespace

QString fileUriText(const std::string& path) {
  return QStringLiteral("file://") +
         QString::fromLatin1(QByteArray::fromStdString(path).toPercentEncoding("/"));
}

QUrl nearestLocalFileUrl(const std::string& path) {
  std::filesystem::path nearest(path);
  for (;;) {
    const QByteArray bytes = QByteArray::fromStdString(nearest.string());
    const QString decoded = QFile::decodeName(bytes);
    if (QFile::encodeName(decoded) == bytes || nearest == nearest.parent_path()) {
      return QUrl::fromLocalFile(decoded);
    }
    nearest = nearest.parent_path();
  }
}

void revealInFileManager(const std::string& item, const std::string& fallbackFolder,
                         QObject* context) {
  const QUrl fallback = nearestLocalFileUrl(fallbackFolder);
  QDBusConnection bus = QDBusConnection::sessionBus();
  // Without a session bus a call never completes: open the folder straight away.
  if (!bus.isConnected()) {
    QDesktopServices::openUrl(fallback);
    return;
  }
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.FileManager1"),
      QStringLiteral("/org/freedesktop/FileManager1"),
      QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
  call << QStringList{fileUriText(item)} << QString();
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kFileManagerReplyMs), context);
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                   [fallback](QDBusPendingCallWatcher* w) {
                     if (w->isError()) QDesktopServices::openUrl(fallback);
                     w->deleteLater();
                   });
}
