#include "worker_process.h"

WorkerProcess::WorkerProcess(QObject* parent) : QObject(parent) {
  process_.setProcessChannelMode(QProcess::MergedChannels);
  connect(&process_, &QProcess::readyReadStandardOutput, this,
          [this] { emit chunkReceived(process_.readAllStandardOutput()); });
  auto announceExit = [this] {
    if (exitAnnounced_) return;
    exitAnnounced_ = true;
    const QByteArray rest = process_.readAllStandardOutput();
    if (!rest.isEmpty()) emit chunkReceived(rest);
    emit exited();
  };
  connect(&process_, &QProcess::finished, this, announceExit);
}

WorkerProcess::~WorkerProcess() {
  process_.disconnect(this);
  if (process_.state() != QProcess::NotRunning) {
    process_.kill();
    process_.waitForFinished(1000);
  }
}

bool WorkerProcess::start(const QString& program, const QStringList& arguments,
                          const QProcessEnvironment& environment, const QString& workingDirectory,
                          QString* error) {
  process_.setProgram(program);
  process_.setArguments(arguments);
  process_.setProcessEnvironment(environment);
  process_.setWorkingDirectory(workingDirectory);
  process_.start();
  if (!process_.waitForStarted(5000)) {
    if (error) *error = process_.errorString();
    return false;
  }
  return true;
}

bool WorkerProcess::writeLine(const QString& line) {
  if (!isRunning()) return false;
  const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
  return process_.write(bytes) == bytes.size();
}
