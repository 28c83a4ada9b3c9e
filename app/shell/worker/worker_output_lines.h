// Worker output cut into lines before decoding: a read may end inside a character, and a line
// that is not UTF-8 is dropped alone, never with the lines around it. A downloaded photo's line
// is the exception: its path is file-name bytes, kept whether or not they are UTF-8.
#pragma once

#include <string>
#include <vector>

#include "worker_line_assembler.h"

std::vector<std::string> completeWorkerLines(vantrel::link::WorkerLineAssembler& assembler,
                                             const std::string& chunk);
