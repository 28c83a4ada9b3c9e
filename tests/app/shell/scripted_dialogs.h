// Dialogs for tests: records every question and answers from a script.
#pragma once

#include <QList>
#include <QPair>
#include <QStringList>
#include <deque>

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

  int count(const QString& title) const {
    int n = 0;
    for (const auto& a : alerts) n += a.title == title ? 1 : 0;
    return n;
  }

  QList<Asked> alerts;
  std::deque<int> answers;
  std::deque<QString> folders;
  std::deque<QString> files;
  std::deque<QString> saveFiles;
  std::deque<QString> prompts;

 private:
  static QString take(std::deque<QString>& queue) {
    if (queue.empty()) return {};
    const QString value = queue.front();
    queue.pop_front();
    return value;
  }
};
