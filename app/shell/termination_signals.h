// SIGTERM, SIGINT and SIGHUP (a service stop, Ctrl+C in a terminal, the session's logout) end the
// application the way Quit does, with the settings, the names store and the worker put in order,
// instead of ending the process where it stands.
#pragma once

#include <QObject>

class QSocketNotifier;

class TerminationSignals : public QObject {
  Q_OBJECT
 public:
  // Installs the handlers; one instance per process.
  explicit TerminationSignals(QObject* parent = nullptr);
  ~TerminationSignals() override;

 signals:
  // On the main thread, once per signal received.
  void terminationRequested(int signalNumber);

 private:
  QSocketNotifier* _notifier = nullptr;
};
