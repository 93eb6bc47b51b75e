#pragma once
// Response files, as Microsoft's tool chains read them: an argument "@path" stands for the
// lines of that text file, each line one whole argument, so a line may hold blanks and double
// quotes that no command line can carry. Read before anything looks at the switches.
//
// A response file holds switches only, each written as the switch table writes it (a name
// matched with exact letter case in that case): blanks before a switch are dropped, and all
// after its name is its value, trailing blanks included; a flag's trailing blanks are dropped.
// Blank lines and lines that begin with "#" are skipped. Any other line is refused with its
// number, so a misspelt switch never leaves a machine set up without it.
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace sentrel {

// The arguments with every "@path" after the program's own path replaced by that file's
// switches. A file that can't be read, or holds a line that is no switch, throws a RunError
// (kExitFailed) that names the file and the line; no password shows in it.
std::vector<std::string> ReadResponseFiles(const std::vector<std::string>& arguments,
                                           Platform& platform);

inline constexpr const char* kMsgResponseFileUnread = "Cannot read the response file %s";
inline constexpr const char* kMsgResponseLineNoSwitch = "is no switch of Sentrel";

}  // namespace sentrel
