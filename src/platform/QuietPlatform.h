#pragma once
// The platform of an unattended run that keeps a record (/Quiet, /Log:): every message the run
// shows is kept for its log, and, when quiet, none is shown at all. The shell starts programs
// without an error box of its own, so a program that can't be started is the run's own error.
// An end the run requests is held here until the run's record is written; meanwhile a message
// is not shown, as a box opened while an end is pending would close at once. A dry run's
// platform starts no program: it notes the file and answers as if it had run and ended with 0.
#include "platform/Platform.h"

namespace sentrel {

class QuietPlatform : public Platform {
public:
    QuietPlatform(Platform& inner, bool quiet, bool dryRun = false)
        : inner_(inner), quiet_(quiet), dryRun_(dryRun) {}

    // Every message of the run, in order, shown or not.
    const std::vector<std::string>& Messages() const { return messages_; }
    // The programs a dry run would have started.
    const std::vector<std::string>& WouldRun() const { return wouldRun_; }

    int ShowMessageBox(const std::string& text, const char* caption,
                       unsigned flags) override;
    bool StartProgram(const StartRequest& request, ProcessHandle* process,
                      std::uint32_t* error) override;
    void RequestEnd() override { endRequested_ = true; }
    bool EndRequested() const override { return endRequested_; }

    OsVersion OsVersionRecord() override { return inner_.OsVersionRecord(); }
    std::string ComputerName() override { return inner_.ComputerName(); }
    std::string ModuleFileName() override { return inner_.ModuleFileName(); }
    std::uint32_t FileVersionInfoSize(const std::string& file) override {
        return inner_.FileVersionInfoSize(file);
    }
    bool ReadFileVersionInfo(const std::string& file, std::vector<std::uint8_t>& block) override {
        return inner_.ReadFileVersionInfo(file, block);
    }
    bool QueryVersionValue(const std::vector<std::uint8_t>& block, const std::string& path,
                           std::vector<std::uint8_t>& value) override {
        return inner_.QueryVersionValue(block, path, value);
    }
    std::optional<std::string> SystemErrorText(std::uint32_t code) override {
        return inner_.SystemErrorText(code);
    }
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
    void OpenLink(const std::string& link) override { inner_.OpenLink(link); }
    ClipboardResult SetClipboardText(const std::string& text) override {
        return inner_.SetClipboardText(text);
    }
    LocalTime Now() override { return inner_.Now(); }
    std::uint32_t AppendToFile(const std::string& path, const std::string& text) override {
        return inner_.AppendToFile(path, text);
    }
    std::uint32_t ReadFileText(const std::string& path, std::string* text) override {
        return inner_.ReadFileText(path, text);
    }
    bool UnicodeToAnsi(const std::u16string& text, std::string* ansi) override {
        return inner_.UnicodeToAnsi(text, ansi);
    }
    void Sleep(std::uint32_t milliseconds) override { inner_.Sleep(milliseconds); }
    void HideSystemErrorBoxes() override { inner_.HideSystemErrorBoxes(); }
    bool TakeRunTurn(std::uint32_t milliseconds) override {
        return inner_.TakeRunTurn(milliseconds);
    }
    void EndRunTurn() override { inner_.EndRunTurn(); }
    void ProcessMessages() override { inner_.ProcessMessages(); }

private:
    Platform& inner_;
    const bool quiet_;
    const bool dryRun_;
    bool endRequested_ = false;
    std::vector<std::string> messages_;
    std::vector<std::string> wouldRun_;
};

}  // namespace sentrel
