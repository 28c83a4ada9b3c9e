// Worker output cut into lines before decoding: a read may end inside a character, and a line
// that is not UTF-8 is dropped alone, never with the lines around it.
#pragma once

#include <string>
#include <vector>

#include "worker_line_assembler.h"

std::vector<std::string> completeWorkerLines(vantrel::link::WorkerLineAssembler& assembler,
                                             const std::string& chunk);
