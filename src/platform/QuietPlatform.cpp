#include "platform/QuietPlatform.h"

namespace sentrel {

int QuietPlatform::ShowMessageBox(const std::string& text, const char* caption,
                                  unsigned flags) {
    messages_.push_back(text);
    // Not shown is answered as a box that closes by itself: cancelled.
    if (quiet_ || endRequested_) return kIdCancel;
    return inner_.ShowMessageBox(text, caption, flags);
}

bool QuietPlatform::StartProgram(const StartRequest& request, ProcessHandle* process,
                                 std::uint32_t* error) {
    if (dryRun_) {
        wouldRun_.push_back(request.file);
        *process = 0;
        return true;
    }
    StartRequest withoutBoxes = request;
    withoutBoxes.shellShowsErrors = false;
    return inner_.StartProgram(withoutBoxes, process, error);
}

}  // namespace sentrel
