#include "last_photos_controller.h"

#include <filesystem>

#include "backup_controller.h"
#include "dialogs.h"
#include "filing_controller.h"
#include "filing_messages.h"
#include "names_controller.h"
#include "refiling_messages.h"
#include "status_controller.h"
#include "utf8_text.h"

namespace filing = vantrel::filing;

LastPhotosController::LastPhotosController(FilingController* filing, NamesController* names,
                                           BackupController* backup, StatusController* status,
                                           Dialogs* dialogs, QObject* parent)
    : QObject(parent),
      _filing(filing),
      _names(names),
      _backup(backup),
      _status(status),
      _dialogs(dialogs) {}

void LastPhotosController::moveLastPhotos() {
  const filing::FiledPhotos& filed = _filing->filedPhotos();
  if (filed.empty()) {
    _status->showAlert(utf8Text(filing::kMoveLastPhotosTitle),
                       utf8Text(filing::kNothingFiledYetMessage));
    return;
  }
  LastPhotosRequest request;
  request.title = utf8Text(filing::kMoveLastPhotosTitle);
  request.message = utf8Text(filing::moveLastPhotosMessage(static_cast<qint64>(filed.size())));
  const std::vector<filing::FiledPhoto> photos = filed.last(filed.size());
  for (auto photo = photos.rbegin(); photo != photos.rend(); ++photo)
    request.recentPhotos << utf8Text(photo->path.filename().native());
  const auto& list = _names->names();
  for (qint64 row = 0; row < list.rowCount(); ++row)
    request.names << utf8Text(list.nameForModelRow(row));
  const std::optional<LastPhotosAnswer> answer = _dialogs->chooseLastPhotosMove(request);
  if (!answer) return;
  moveLastPhotosTo(answer->count, answer->person);
}

void LastPhotosController::moveLastPhotosTo(qint64 count, qint64 row) {
  if (count <= 0 || !_names->names().isValidRow(row)) return;
  const filing::RefilingResult result =
      _filing->refileLastPhotos(static_cast<std::size_t>(count), row);
  std::vector<std::pair<std::string, std::string>> moves;
  for (const filing::PhotoRename& move : result.moved)
    moves.emplace_back(move.from.native(), move.to.native());
  if (!moves.empty()) _backup->photosMoved(moves);
  // The counts as the folders now hold them; the store is written when they changed.
  _filing->rescanOutputFolders();
  if (!result.firstError.empty()) {
    _status->showAlert(utf8Text(filing::kMoveProblemTitle), utf8Text(result.firstError));
  }
  _status->setStatus(
      utf8Text(filing::movedLastPhotosStatus(result, _names->names().nameForModelRow(row))),
      result.firstError.empty() ? QStringLiteral("good") : QStringLiteral("error"));
  if (!moves.empty()) emit photosMoved(moves, std::string(_names->names().nameForModelRow(row)));
}
