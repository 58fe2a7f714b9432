// Test texts: UTF-8 literals as the Windows-1251 bytes that documents, files and books hold.
#pragma once

#include <string>

#include "common/codepage.h"

namespace testing_support {

inline std::string Cp(const std::string& utf8) { return codepage::Utf8ToCp1251(utf8).value(); }

}  // namespace testing_support
