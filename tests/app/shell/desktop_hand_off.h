// Stands in for the desktop while a test runs: addresses handed to the browser or the file
// manager are recorded instead of opened, and the session bus is out of reach, so that no
// file manager, browser or outside host is ever contacted.
#pragma once

#include <QByteArray>
#include <QDesktopServices>
#include <QDir>
#include <QList>
#include <QObject>
#include <QUrl>

class DesktopHandOff : public QObject {
  Q_OBJECT
 public:
  // `folder`: a temporary folder, where the unreachable bus address points.
  explicit DesktopHandOff(const QString& folder) {
    qputenv("DBUS_SESSION_BUS_ADDRESS",
            "unix:path=" + QDir(folder).filePath(QStringLiteral("no-session-bus")).toUtf8());
    for (const char* scheme : kSchemes) {
      QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }
  }
  ~DesktopHandOff() override {
    for (const char* scheme : kSchemes) {
      QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
  }

  QList<QUrl> opened;

 public slots:
  void open(const QUrl& url) { opened << url; }

 private:
  static constexpr const char* kSchemes[] = {"http", "https", "file", "javascript", "ftp"};
};
