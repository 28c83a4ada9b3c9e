#include "worker_output_lines.h"

#include <QByteArray>
#include <QStringDecoder>

#include "worker_message.h"

namespace {

bool validUtf8(const std::string& line) {
  QStringDecoder decoder(QStringDecoder::Utf8);
  // Decoded for real (the decoder's result is lazy): only then does it know of an error.
  const QString text = decoder.decode(QByteArray::fromStdString(line));
  return !decoder.hasError();
}

}  // namespace

std::vector<std::string> completeWorkerLines(vantrel::link::WorkerLineAssembler& assembler,
                                             const std::string& chunk) {
  std::vector<std::string> lines;
  for (std::string& line : assembler.feed(chunk)) {
    if (validUtf8(line) ||
        vantrel::link::parseWorkerLine(line).kind == vantrel::link::WorkerMessageKind::Downloaded) {
      lines.push_back(std::move(line));
    }
  }
  return lines;
}
