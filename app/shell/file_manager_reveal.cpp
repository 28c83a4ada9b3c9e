#include "file_manager_reveal.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QStringList>
#include <QUrl>

namespace {
// A file manager that has not answered by then is not coming.
constexpr int kFileManagerReplyMs = 2000;
}  // namespace

void revealInFileManager(const QString& item, const QString& fallbackFolder, QObject* context) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  // Without a session bus a call never completes: open the folder straight away.
  if (!bus.isConnected()) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(fallbackFolder));
    return;
  }
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.FileManager1"),
      QStringLiteral("/org/freedesktop/FileManager1"),
      QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
  call << QStringList{QUrl::fromLocalFile(item).toString()} << QString();
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kFileManagerReplyMs), context);
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                   [fallbackFolder](QDBusPendingCallWatcher* w) {
                     if (w->isError())
                       QDesktopServices::openUrl(QUrl::fromLocalFile(fallbackFolder));
                     w->deleteLater();
                   });
}
