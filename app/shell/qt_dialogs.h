// The real dialogs.
#pragma once

#include <QIcon>
#include <QPointer>
#include <QWidget>

#include "dialogs.h"

class QtDialogs : public Dialogs {
 public:
  void setParentWindow(QWidget* window) { parent_ = window; }
  void setIcon(const QIcon& icon) { icon_ = icon; }

  void alert(const QString& title, const QString& message) override;
  int ask(const QString& title, const QString& message, const QStringList& buttons) override;
  QString chooseFolder(const QString& title, const QString& startFolder) override;
  QStringList chooseFiles(const QString& title, const QStringList& extensions,
                          bool multiple) override;
  QString chooseSaveFile(const QString& title, const QString& proposedName) override;
  std::optional<QString> prompt(const QString& title, const QString& message, const QString& text,
                                const QString& okTitle) override;
  std::optional<int> choosePerson(const QString& title, const QString& message,
                                  const QStringList& names) override;
  std::optional<MoveFormAnswer> moveForm(const MoveFormRequest& request) override;
  std::optional<vantrel::names::RosterChoice> importPreview(
      const ImportPreviewRequest& request) override;
  std::optional<ExportFileChoice> chooseExportFile(const QString& title,
                                                   const QString& proposedName,
                                                   const QStringList& formats,
                                                   int initialFormat) override;
  std::optional<LastPhotosAnswer> chooseLastPhotosMove(const LastPhotosRequest& request) override;
  std::optional<QList<QPair<QString, QString>>> customizeSuffixes(
      const QList<QPair<QString, QString>>& rows) override;
  std::optional<YearbookExportAnswer> yearbookExport(const YearbookExportRequest& request) override;

 private:
  QPointer<QWidget> parent_;
  QIcon icon_;
};
