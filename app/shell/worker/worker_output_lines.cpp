#include "worker_output_lines.h"

#include <QByteArray>
#include <QStringDecoder>

std::vector<std::string> completeWorkerLines(vantrel::link::WorkerLineAssembler& assembler,
                                             const std::string& chunk) {
  std::vector<std::string> lines;
  for (std::string& line : assembler.feed(chunk)) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    static_cast<void>(decoder.decode(QByteArray::fromStdString(line)));
    if (!decoder.hasError()) lines.push_back(std::move(line));
  }
  return lines;
}
