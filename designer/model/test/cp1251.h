// Test texts: UTF-8 literals as the Windows-1251 bytes the document and its files hold.
#pragma once

#include <string>

#include "common/codepage.h"

namespace designer {

inline std::string Cp(const std::string& utf8) { return codepage::Utf8ToCp1251(utf8).value(); }

}  // namespace designer
