// The maker's web address: the first line of every source file names it, and the programs'
// help texts and link label show it.
#pragma once

inline constexpr char kMakerWebAddress[] = "https://brindlewick.example";
