// A question of the names list (names_messages.h) asked through the dialogs.
#pragma once

#include <QStringList>

#include "dialogs.h"
#include "names_messages.h"
#include "utf8_text.h"

// The index of the button pressed.
inline int askNamesQuestion(Dialogs& dialogs, const vantrel::names::AlertText& alert) {
  QStringList titles;
  for (const std::string& title : alert.buttons) titles << utf8Text(title);
  return dialogs.ask(utf8Text(alert.title), utf8Text(alert.message), titles);
}
