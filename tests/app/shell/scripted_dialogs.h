// Dialogs for tests: records every question and answers from a script.
#pragma once

#include <QList>
#include <QPair>
#include <QStringList>
#include <deque>
#include <functional>

#include "dialogs.h"

class ScriptedDialogs : public Dialogs {
 public:
  struct Asked {
    QString title;
    QString message;
  };

  void alert(const QString& title, const QString& message) override {
    alerts.push_back({title, message});
  }
  int ask(const QString& title, const QString& message, const QStringList&) override {
    alerts.push_back({title, message});
    if (answers.empty()) return 0;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  QString chooseFolder(const QString&, const QString&) override { return take(folders); }
  QStringList chooseFiles(const QString&, const QStringList&, bool) override {
    const QString file = take(files);
    return file.isEmpty() ? QStringList{} : QStringList{file};
  }
  QString chooseSaveFile(const QString&, const QString&) override { return take(saveFiles); }
  std::optional<QString> prompt(const QString& title, const QString& message, const QString&,
                                const QString&) override {
    alerts.push_back({title, message});
    if (prompts.empty()) return std::nullopt;
    const QString text = prompts.front();
    prompts.pop_front();
    return text;
  }
  // Answers with the index of the scripted name; none left, or a name not offered, cancels.
  std::optional<int> choosePerson(const QString& title, const QString& message,
                                  const QStringList& names) override {
    alerts.push_back({title, message});
    peopleOffered = names;
    const int index = static_cast<int>(names.indexOf(take(people)));
    return index >= 0 ? std::optional<int>(index) : std::nullopt;
  }
  // Each scripted answer sees the request; none left cancels.
  using MoveFormScript = std::function<std::optional<MoveFormAnswer>(const MoveFormRequest&)>;
  std::optional<MoveFormAnswer> moveForm(const MoveFormRequest& request) override {
    moveForms.push_back(request);
    if (moveFormAnswers.empty()) return std::nullopt;
    const MoveFormScript script = moveFormAnswers.front();
    moveFormAnswers.pop_front();
    return script(request);
  }
  // Answers with the scripted count and the index of the scripted name; none left, or a name not
  // offered, cancels.
  std::optional<LastPhotosAnswer> chooseLastPhotosMove(const LastPhotosRequest& request) override {
    alerts.push_back({request.title, request.message});
    lastPhotosRequests.push_back(request);
    if (lastPhotosMoves.empty()) return std::nullopt;
    const auto [count, name] = lastPhotosMoves.front();
    lastPhotosMoves.pop_front();
    const int index = static_cast<int>(request.names.indexOf(name));
    return index >= 0 ? std::optional<LastPhotosAnswer>({count, index}) : std::nullopt;
  }
  // Confirms the form as shown: the proposed name and the pre-checked boxes.
  static std::optional<MoveFormAnswer> asShown(const MoveFormRequest& request) {
    MoveFormAnswer answer{request.name.value_or(QString()), {}};
    for (const MoveFormChoice& choice : request.choices) answer.checked << choice.checked;
    return answer;
  }

  std::optional<QList<QPair<QString, QString>>> customizeSuffixes(
      const QList<QPair<QString, QString>>& rows) override {
    alerts.push_back({QStringLiteral("Customize Suffixes"), {}});
    suffixRowsShown = rows;
    if (suffixAnswers.empty()) return std::nullopt;
    const auto answer = suffixAnswers.front();
    suffixAnswers.pop_front();
    return answer;
  }

  // Each scripted answer sees the request; none left answers with the choice as shown, so that
  // imports in tests that do not care about the preview go through with the defaults.
  using PreviewScript =
      std::function<std::optional<vantrel::names::RosterChoice>(const ImportPreviewRequest&)>;
  std::optional<vantrel::names::RosterChoice> importPreview(
      const ImportPreviewRequest& request) override {
    previews.push_back(request);
    if (previewAnswers.empty()) return request.initial;
    const PreviewScript script = previewAnswers.front();
    previewAnswers.pop_front();
    return script(request);
  }

  // Answers from exportFiles; none left, the next of saveFiles in the first format.
  std::optional<ExportFileChoice> chooseExportFile(const QString&, const QString& proposedName,
                                                   const QStringList& formats,
                                                   int initialFormat) override {
    exportFormatsOffered = formats;
    exportProposedName = proposedName;
    exportInitialFormat = initialFormat;
    if (!exportFiles.empty()) {
      const ExportFileChoice choice = exportFiles.front();
      exportFiles.pop_front();
      return choice;
    }
    const QString path = take(saveFiles);
    if (path.isEmpty()) return std::nullopt;
    return ExportFileChoice{path, 0};
  }

  // Each scripted answer sees the request; none left cancels.
  using YearbookScript =
      std::function<std::optional<YearbookExportAnswer>(const YearbookExportRequest&)>;
  std::optional<YearbookExportAnswer> yearbookExport(
      const YearbookExportRequest& request) override {
    yearbookRequests.push_back(request);
    if (yearbookAnswers.empty()) return std::nullopt;
    const YearbookScript script = yearbookAnswers.front();
    yearbookAnswers.pop_front();
    return script(request);
  }

  int count(const QString& title) const {
    int n = 0;
    for (const auto& a : alerts) n += a.title == title ? 1 : 0;
    return n;
  }

  QList<Asked> alerts;
  QList<YearbookExportRequest> yearbookRequests;
  std::deque<YearbookScript> yearbookAnswers;
  std::deque<int> answers;
  std::deque<QString> folders;
  std::deque<QString> files;
  std::deque<QString> saveFiles;
  std::deque<QString> prompts;
  std::deque<QString> people;
  QStringList peopleOffered;
  QList<MoveFormRequest> moveForms;
  std::deque<MoveFormScript> moveFormAnswers;
  QList<LastPhotosRequest> lastPhotosRequests;
  std::deque<std::pair<qint64, QString>> lastPhotosMoves;  // (count, person's name)
  std::deque<QList<QPair<QString, QString>>> suffixAnswers;
  QList<QPair<QString, QString>> suffixRowsShown;
  QList<ImportPreviewRequest> previews;
  std::deque<PreviewScript> previewAnswers;
  std::deque<ExportFileChoice> exportFiles;
  QStringList exportFormatsOffered;
  QString exportProposedName;
  int exportInitialFormat = -1;

 private:
  static QString take(std::deque<QString>& queue) {
    if (queue.empty()) return {};
    const QString value = queue.front();
    queue.pop_front();
    return value;
  }
};
