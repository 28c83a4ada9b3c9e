#include "dropped_roster_files.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "csv_import.h"

QStringList droppedRosterFiles(const QMimeData* data) {
  QStringList paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const QString path = url.toLocalFile();
    if (QFileInfo(path).isFile() && vantrel::names::isRosterFile(path.toStdString())) paths << path;
  }
  return paths;
}
