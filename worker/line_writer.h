// Every line the worker (and the probe) writes goes through `out`: one process-wide lock per
// whole line and a flush after it, so lines from different threads never interleave and reach
// the application at once.
#pragma once

#include <cstdint>
#include <string>

// Writes `line` and a newline to standard output. Write errors are ignored: the application may
// have gone away, and a closed pipe must never stop a download half way.
void out(const std::string& line);

// An SDK result code as "0x%08X".
std::string hex_err(uint32_t code);

// Fixed-point text with exactly `decimals` digits after the point, never an exponent.
std::string fixed_decimals(double value, int decimals);
