// Whether two paths name the same file, for the rules that must never write a file over the
// one it is being made from.
#pragma once

#include <string>

// True when `a` and `b` are the same file on disk (another spelling, a link), or, when one of
// them does not exist yet, the same path once made absolute and normal. When the answer cannot
// be known (the working folder is gone) it is true: taking two files for one only refuses or
// backs up, taking one file for two could overwrite it.
bool SameFile(const std::string& a, const std::string& b);
