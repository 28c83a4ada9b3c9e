#include "row_cells.h"

#include <limits>

namespace vantrel::names {

std::string_view cellOrEmpty(const Row& row, std::size_t cell) {
  return cell < row.size() ? std::string_view(row[cell]) : std::string_view();
}

void padRowToCell(Row& row, std::size_t cell) {
  if (row.size() <= cell) row.resize(cell + 1);
}

std::int64_t countFromCell(std::string_view text) {
  std::size_t i = 0;
  auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (i < text.size() && isSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const int digit = text[i] - '0';
    if (value > (kMax - digit) / 10) return negative ? -kMax : kMax;
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

std::string countCellText(std::int64_t count) {
  return std::to_string(count < 0 ? 0 : count);
}

}  // namespace vantrel::names
