// Output of a diagnostic shell command, folded onto one protocol line.
#pragma once

#include <cstddef>
#include <string>

// Runs `command` through the shell and returns its output on one line (see fold_command_output),
// reading until the output ends or `limit` characters are reached (it may pass the limit by less
// than one read piece). "popen failed" when the shell cannot be started.
std::string shell_collect(const std::string& command, size_t limit);

// Removes carriage returns, turns line feeds into ";", squeezes runs of spaces to one; an empty
// result becomes "no Canon/EOS/PTP USB lines found".
std::string fold_command_output(std::string text);
