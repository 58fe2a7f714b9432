// Bytes written as hex pairs ("0A 49 76") for readable expectations.
#pragma once

#include <sstream>
#include <string>

namespace testing_support {

inline std::string Hex(const std::string& hex) {
  std::string bytes;
  std::istringstream in(hex);
  for (std::string pair; in >> pair;)
    bytes.push_back(static_cast<char>(std::stoi(pair, nullptr, 16)));
  return bytes;
}

}  // namespace testing_support
