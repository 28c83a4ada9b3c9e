// vantrel_tether: tethered capture for long lists of people.
#include <QApplication>
#include <QTimer>

#include "app_environment.h"
#include "qt_dialogs.h"
#include "termination_signals.h"
#include "vantrel_app_delegate.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vantrel Tether"));
  QApplication::setOrganizationName(QStringLiteral("Vantrel"));
  QApplication::setApplicationVersion(QStringLiteral(VANTREL_VERSION));
  QApplication::setStyle(QStringLiteral("Fusion"));
  // The splash closing must not end the application; closing the main window does.
  app.setQuitOnLastWindowClosed(false);
  QtDialogs dialogs;
  VantrelAppDelegate delegate(AppEnvironment::standard(), &dialogs);
  dialogs.setIcon(delegate.applicationIcon());
  QObject::connect(&app, &QApplication::aboutToQuit, &delegate,
                   [&delegate] { delegate.applicationWillTerminate(); });
  // A stop from outside ends like Quit: the same orderly termination on the way out.
  TerminationSignals stops;
  QObject::connect(&stops, &TerminationSignals::terminationRequested, &app, &QApplication::quit);
  if (!delegate.applicationDidFinishLaunching()) return 0;
  QTimer::singleShot(1200, &app,
                     [&dialogs, &delegate] { dialogs.setParentWindow(delegate.window()); });
  return app.exec();
}
