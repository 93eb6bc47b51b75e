#pragma once
// The platform of an unattended run that keeps a record (/Quiet, /Log:): every message the run
// shows is kept for its log, and, when quiet, none is shown at all. The shell starts programs
// without an error box of its own, so a program that can't be started is the run's own error.
// An end the run requests is held here until the run's record is written; meanwhile a message
// is not shown, as a box opened while an end is pending would close at once. A dry run's
// platform starts no program: it notes the file and answers as if it had run and ended with 0.
#include "platform/ForwardingPlatform.h"

namespace sentrel {

class QuietPlatform : public ForwardingPlatform {
public:
    QuietPlatform(Platform& inner, bool quiet, bool dryRun = false)
        : ForwardingPlatform(inner), quiet_(quiet), dryRun_(dryRun) {}

    // Every message of the run, in order, shown or not.
    const std::vector<std::string>& Messages() const { return messages_; }
    // The programs a dry run would have started.
    const std::vector<std::string>& WouldRun() const { return wouldRun_; }

    int ShowMessageBox(const std::string& text, const char* caption, unsigned flags) override;
    bool StartProgram(const StartRequest& request, ProcessHandle* process,
                      std::uint32_t* error) override;
    void RequestEnd() override { endRequested_ = true; }
    bool EndRequested() const override { return endRequested_; }
    WaitOutcome WaitForProcess(ProcessHandle process, std::uint32_t milliseconds) override {
        return dryRun_ ? WaitOutcome::Ended : inner_.WaitForProcess(process, milliseconds);
    }
    bool GetExitCode(ProcessHandle process, std::uint32_t* code) override {
        if (!dryRun_) return inner_.GetExitCode(process, code);
        *code = 0;
        return true;
    }
    void CloseProcess(ProcessHandle process) override {
        if (!dryRun_) inner_.CloseProcess(process);
    }

private:
    const bool quiet_;
    const bool dryRun_;
    bool endRequested_ = false;
    std::vector<std::string> messages_;
    std::vector<std::string> wouldRun_;
};

}  // namespace sentrel
