#pragma once
// Turns the window's fields into the command line that makes an unattended run do the same.
#include <string>

#include "logon/LogonContext.h"
#include "ui/FormState.h"

namespace sentrel {

// The program path, " /U", the eight value switches with the settings' texts (also when empty),
// the three options that are set and the mode. An argument with a blank, a control character
// or one of cmd's characters & | < > ^ ( ) is wrapped in double quotes, so the switch parser
// reads it back unchanged and a batch file passes it whole.
// The parser has no way to carry a double quote itself: a line with one would read back as
// other values, so a field holding one raises an error naming the fields and builds nothing.
std::string BuildCommandLine(const std::string& programPath, const LogonSettings& settings,
                             const std::string& mode);

// Sets ModeText to the mode the window stands for, puts the line on the clipboard and tells
// the user; "Cannot open clipboard" when it can't be
// opened, another error when the text could not be put on it.
void CopyCommandLineToClipboard(LogonContext& context, const FormState& form);

inline constexpr const char* kMsgCannotOpenClipboard = "Cannot open clipboard";
inline constexpr const char* kMsgCannotPutOnClipboard =
    "Cannot put the command line on the clipboard";
inline constexpr const char* kMsgDoubleQuoteInFields =
    "A command line cannot carry a double quote (\"), so nothing was copied to the clipboard. "
    "Remove it from: ";
inline constexpr const char* kMsgResponseFileCarriesIt =
    ". A response file can carry it: Sentrel.exe @path reads one whole switch from each line of "
    "the file.";
inline constexpr const char* kMsgCommandLineCopied =
    "Commandline parameters has been copied to the clipboard";
inline constexpr const char* kMsgCommandLineReminder =
    "Remember to replace the /MSDom with /AutoWSName if needed, and to add the /ACU:, "
    "/ACUParam: or /Disable if needed";

}  // namespace sentrel
