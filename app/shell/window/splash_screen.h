// The splash shown while the application starts.
#pragma once

#include <QIcon>
#include <QString>

class QWidget;

// Shown at once, centred on the primary screen; deletes itself when closed.
QWidget* showSplashScreen(const QIcon& mark, const QString& displayVersion);
