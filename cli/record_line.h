// A record as `bwick dump` and `bwick find` print it: "record N: value | value", the values
// (Windows-1251) in UTF-8.
#pragma once

#include <cstdint>
#include <ostream>

#include "common/codepage.h"

namespace cli {

template <typename Values>
void PrintRecord(std::ostream& out, std::int64_t number, const Values& values) {
  out << "record " << number << ":";
  bool first = true;
  for (const auto& value : values) {
    out << (first ? " " : " | ") << codepage::Cp1251ToUtf8(value);
    first = false;
  }
  out << "\n";
}

}  // namespace cli
