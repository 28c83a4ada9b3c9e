// Every modal question the application asks goes through this interface, so that tests can
// answer it without a real dialog.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "roster_table.h"
#include "yearbook_export_request.h"

// The move dialog: a name field (when the destination is not fixed), a heading and one checkbox
// per suffix folder that may come along.
struct MoveFormChoice {
  QString title;
  bool checked = false;
};

struct MoveFormRequest {
  QString message;
  QString informativeText;
  std::optional<QString> name;  // the editable name; nothing when the destination is fixed
  QString heading;
  QList<MoveFormChoice> choices;
  QString acceptTitle;
};

struct MoveFormAnswer {
  QString name;
  QList<bool> checked;  // one per choice, in order
};

// The import preview: the first file's rows, and the choice of the columns the list is made of.
struct ImportPreviewRequest {
  QString title;    // names the file, or counts the files
  QString summary;  // how the file was read
  vantrel::names::RosterTable table;
  vantrel::names::RosterChoice initial;  // remembered for this header, else the default
};

// Where an export goes, and in which of the offered formats.
struct ExportFileChoice {
  QString path;
  int format = 0;
};

// "Move Last Photos…": how many of the last photos filed go, and to whom.
struct LastPhotosRequest {
  QString title;
  QString message;
  QStringList recentPhotos;  // the photos filed, newest first; the count goes up to their number
  QStringList names;         // everyone in the list, in list order
};

struct LastPhotosAnswer {
  qint64 count = 1;  // the last `count` photos filed
  int person = -1;   // index into the names
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // An alert with one "OK" button.
  virtual void alert(const QString& title, const QString& message) = 0;
  // An alert with several buttons; returns the index of the one pressed (0 is the default).
  virtual int ask(const QString& title, const QString& message, const QStringList& buttons) = 0;
  // A folder chooser; empty when cancelled.
  virtual QString chooseFolder(const QString& title, const QString& startFolder) = 0;
  // Files to open with one of `extensions` (without dots); empty when cancelled.
  virtual QStringList chooseFiles(const QString& title, const QStringList& extensions,
                                  bool multiple) = 0;
  // Where to save, with a proposed file name; empty when cancelled.
  virtual QString chooseSaveFile(const QString& title, const QString& proposedName) = 0;
  // A one-line text prompt; nothing when cancelled.
  virtual std::optional<QString> prompt(const QString& title, const QString& message,
                                        const QString& text, const QString& okTitle) = 0;
  // One person out of `names`, found by typing part of the name; their index, nothing when
  // cancelled.
  virtual std::optional<int> choosePerson(const QString& title, const QString& message,
                                          const QStringList& names) = 0;
  // The move dialog; nothing when cancelled.
  virtual std::optional<MoveFormAnswer> moveForm(const MoveFormRequest& request) = 0;
  // The import preview; the choice made, nothing when cancelled.
  virtual std::optional<vantrel::names::RosterChoice> importPreview(
      const ImportPreviewRequest& request) = 0;
  // Where to save an export, with a proposed file name, choosing one of `formats` (titles),
  // `initialFormat` offered first; nothing when cancelled.
  virtual std::optional<ExportFileChoice> chooseExportFile(const QString& title,
                                                           const QString& proposedName,
                                                           const QStringList& formats,
                                                           int initialFormat) = 0;
  // A number of photos (1 at first) and one person found by search; nothing when cancelled.
  virtual std::optional<LastPhotosAnswer> chooseLastPhotosMove(
      const LastPhotosRequest& request) = 0;
  // The tag editor: five rows of (label, suffix), pre-filled; the rows as typed on Save,
  // nothing on Cancel.
  virtual std::optional<QList<QPair<QString, QString>>> customizeSuffixes(
      const QList<QPair<QString, QString>>& rows) = 0;
  // The yearbook package's settings, opened with the request's; nothing when cancelled.
  virtual std::optional<YearbookExportAnswer> yearbookExport(
      const YearbookExportRequest& request) = 0;
};
