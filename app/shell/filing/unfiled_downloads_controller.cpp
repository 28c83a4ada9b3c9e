#include "unfiled_downloads_controller.h"

#include <QAction>
#include <QStringList>
#include <filesystem>

#include "dialogs.h"
#include "filing_controller.h"
#include "names_controller.h"
#include "status_controller.h"
#include "unfiled_downloads.h"
#include "utf8_text.h"

namespace fs = std::filesystem;
using namespace vantrel::filing;

UnfiledDownloadsController::UnfiledDownloadsController(FilingController* filing,
                                                       NamesController* names,
                                                       StatusController* status, Dialogs* dialogs,
                                                       QString unsetDownloadFolder, QObject* parent)
    : QObject(parent),
      _filing(filing),
      _names(names),
      _status(status),
      _dialogs(dialogs),
      _unsetDownloadFolder(std::move(unsetDownloadFolder)) {
  connect(_names, &NamesController::selectionChanged, this, [this] { updateMenu(); });
}

void UnfiledDownloadsController::attach(const UnfiledDownloadsViews& views) {
  _views = views;
  updateMenu();
}

std::vector<std::string> UnfiledDownloadsController::findNew() {
  // Without a target folder there is nowhere to file them; they wait until one is chosen.
  if (_filing->targetDir().isEmpty()) return {};
  const std::vector<fs::path> folders = {fs::path(_filing->targetDir().toStdString()),
                                         fs::path(_unsetDownloadFolder.toStdString())};
  return findUnfiledDownloads(folders, [this](const std::string& path) {
    return _left.count(path) > 0 || _filing->waitingForFiling(path);
  });
}

void UnfiledDownloadsController::offerAtLaunch() {
  _launchOfferMade = true;
  setPending(findNew());
  if (_pending.empty()) return;
  const qint64 selected = _names->captureRow();
  const bool someoneSelected = _names->names().isValidRow(selected);
  QStringList buttons;
  if (someoneSelected) {
    buttons << utf8Text(fileThemForButton(_names->names().nameForModelRow(selected)));
  }
  buttons << utf8Text(kChoosePersonButton) << utf8Text(kLeaveThemButton);
  int answer = _dialogs->ask(
      utf8Text(kUnfiledPhotosTitle),
      utf8Text(unfiledPhotosMessage(static_cast<long long>(_pending.size()))), buttons);
  if (!someoneSelected) ++answer;
  if (answer == 0) {
    fileFor(selected);
  } else if (answer == 1) {
    fileForChosenPerson();
  } else {
    leaveThem();
  }
}

void UnfiledDownloadsController::announceFound() {
  // Until the launch's own question, what is found is asked about there.
  if (!_launchOfferMade) return;
  std::vector<std::string> found = findNew();
  if (found.empty() || found == _pending) return;
  setPending(std::move(found));
  _status->setStatus(utf8Text(unfiledPhotosStatus(static_cast<long long>(_pending.size()))),
                     QStringLiteral("busy"));
}

void UnfiledDownloadsController::fileForSelectedPerson() {
  const qint64 selected = _names->captureRow();
  if (_names->names().isValidRow(selected)) fileFor(selected);
}

void UnfiledDownloadsController::fileForChosenPerson() {
  if (_pending.empty()) return;
  const auto& list = _names->names();
  QStringList names;
  for (qint64 row = 0; row < list.rowCount(); ++row) {
    names << utf8Text(list.nameForModelRow(row));
  }
  const auto chosen = _dialogs->choosePerson(
      utf8Text(kUnfiledPhotosTitle),
      utf8Text(chooseUnfiledPersonMessage(static_cast<long long>(_pending.size()))), names);
  if (chosen) fileFor(*chosen);
}

void UnfiledDownloadsController::leaveThem() {
  _left.insert(_pending.begin(), _pending.end());
  setPending({});
}

void UnfiledDownloadsController::fileFor(qint64 row) {
  if (!_names->names().isValidRow(row)) return;
  // Some may have been filed or removed since they were found.
  std::vector<std::string> present;
  for (const std::string& path : _pending) {
    std::error_code error;
    if (fs::is_regular_file(path, error)) present.push_back(path);
  }
  setPending({});
  _filing->fileDownloadsFor(present, row);
}

void UnfiledDownloadsController::setPending(std::vector<std::string> paths) {
  _pending = std::move(paths);
  updateMenu();
}

void UnfiledDownloadsController::updateMenu() {
  const bool offered = !_pending.empty();
  const qint64 selected = _names->captureRow();
  const bool someoneSelected = _names->names().isValidRow(selected);
  if (_views.fileForSelectedItem) {
    _views.fileForSelectedItem->setVisible(offered && someoneSelected);
    if (someoneSelected) {
      _views.fileForSelectedItem->setText(
          utf8Text(fileUnfiledForItem(_names->names().nameForModelRow(selected))));
    }
  }
  if (_views.fileForPersonItem) _views.fileForPersonItem->setVisible(offered);
  if (_views.leaveItem) _views.leaveItem->setVisible(offered);
}
