#pragma once
// Response files, as Microsoft's tool chains read them: an argument "@path" stands for the
// lines of that text file, each line one whole argument, so a line may hold blanks and double
// quotes that no command line can carry. Blank lines are skipped and a file's own "@" lines
// are arguments as they stand. Read before anything looks at the switches.
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace sentrel {

// The arguments with every "@path" after the program's own path replaced by that file's lines.
// A file that can't be read throws a RunError (kExitFailed) that names it.
std::vector<std::string> ReadResponseFiles(const std::vector<std::string>& arguments,
                                           Platform& platform);

inline constexpr const char* kMsgResponseFileUnread = "Cannot read the response file %s";

}  // namespace sentrel
