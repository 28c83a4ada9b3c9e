#include "worker_output_lines.h"

#include <QByteArray>
#include <QStringDecoder>

std::vector<std::string> completeWorkerLines(vantrel::link::WorkerLineAssembler& assembler,
                                             const std::string& chunk) {
  std::vector<std::string> lines;
  for (std::string& line : assembler.feed(chunk)) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    // Decoded for real (the decoder's result is lazy): only then does it know of an error.
    const QString text = decoder.decode(QByteArray::fromStdString(line));
    if (!decoder.hasError()) lines.push_back(std::move(line));
  }
  return lines;
}
