// File-name extensions as the programs tell file kinds by them: Latin letters in either case
// (".FSR" is a source file as ".fsr" is).
#pragma once

#include <string>
#include <string_view>

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Whether the extension of the file name in `path` (from its last dot, as std::filesystem
// tells it) is `extension`, letter case aside.
bool HasExtension(const std::string& path, std::string_view extension);
