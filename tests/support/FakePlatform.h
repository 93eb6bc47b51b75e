#pragma once
// A platform for tests: answers from what the test set and records what it was asked.
#include <deque>
#include <functional>
#include <map>

#include "platform/Platform.h"

namespace sentrel {

class FakePlatform : public Platform {
public:
    struct MessageBoxCall {
        std::string text;
        std::string caption;
        unsigned flags;
        int answer;
    };

    // What the fake answers.
    OsVersion version{5, 1, 2600, 2, "Service Pack 3"};
    std::string computerName = "KIOSK01";
    std::string moduleFileName = "C:\\Tools\\Sentrel.exe";
    std::map<std::string, std::vector<std::uint8_t>> versionBlocks;  // by file name
    std::map<std::string, std::vector<std::uint8_t>> versionValues;  // by query path
    std::map<std::uint32_t, std::string> errorTexts;
    std::deque<int> messageBoxAnswers;  // answered in turn; kIdOk when empty
    bool shellStarts = true;
    std::uint32_t startError = 2;  // the error code of a start that fails
    int waitTimeouts = 0;  // how many waits time out before the process ends
    std::optional<std::uint32_t> exitCode = 0;
    bool clipboardOpens = true;
    bool clipboardTakesText = true;  // false: emptied, then the text is refused
    std::function<void(const StartRequest&)> onStart;  // what the started program does
    LocalTime now{2026, 12, 8, 9, 5, 7};
    std::map<std::string, std::string> files;          // what AppendToFile wrote, by path
    std::deque<std::uint32_t> appendErrors;            // the results of appends in turn; 0 when empty
    bool runTurnFree = true;  // false: another run holds the turn past every wait

    // What the fake was asked.
    std::vector<MessageBoxCall> messageBoxes;
    std::vector<StartRequest> shellCalls;
    std::vector<std::string> openedLinks;
    std::optional<std::string> clipboard;
    int messagePumps = 0;
    int closedProcesses = 0;
    std::vector<std::uint32_t> sleeps;
    bool systemErrorBoxesHidden = false;
    std::vector<std::uint32_t> runTurnWaits;  // how long each run was willing to wait
    int runTurnsHeld = 0;                     // turns taken and not given back

    OsVersion OsVersionRecord() override { return version; }
    std::string ComputerName() override { return computerName; }
    std::string ModuleFileName() override { return moduleFileName; }
    std::uint32_t FileVersionInfoSize(const std::string& file) override;
    bool ReadFileVersionInfo(const std::string& file, std::vector<std::uint8_t>& block) override;
    bool QueryVersionValue(const std::vector<std::uint8_t>& block, const std::string& path,
                       std::vector<std::uint8_t>& value) override;
    std::optional<std::string> SystemErrorText(std::uint32_t code) override;
    int ShowMessageBox(const std::string& text, const char* caption, unsigned flags) override;
    bool StartProgram(const StartRequest& request, ProcessHandle* process,
                      std::uint32_t* error) override;
    WaitOutcome WaitForProcess(ProcessHandle process, std::uint32_t milliseconds) override;
    bool GetExitCode(ProcessHandle process, std::uint32_t* code) override;
    void CloseProcess(ProcessHandle) override { ++closedProcesses; }
    void OpenLink(const std::string& link) override { openedLinks.push_back(link); }
    ClipboardResult SetClipboardText(const std::string& text) override;
    LocalTime Now() override { return now; }
    std::uint32_t AppendToFile(const std::string& path, const std::string& text) override;
    // Reads files, whatever AppendToFile wrote or a test put there; a missing one is error 2.
    std::uint32_t ReadFileText(const std::string& path, std::string* text) override {
        auto file = files.find(path);
        if (file == files.end()) return 2;  // ERROR_FILE_NOT_FOUND
        *text = file->second;
        return 0;
    }
    // Code page 1252, Western Europe's, as Windows has it.
    bool UnicodeToAnsi(const std::u16string& text, std::string* ansi) override;
    void Sleep(std::uint32_t milliseconds) override { sleeps.push_back(milliseconds); }
    void HideSystemErrorBoxes() override { systemErrorBoxesHidden = true; }
    bool TakeRunTurn(std::uint32_t milliseconds) override {
        runTurnWaits.push_back(milliseconds);
        if (runTurnFree) ++runTurnsHeld;
        return runTurnFree;
    }
    void EndRunTurn() override { --runTurnsHeld; }
    void ProcessMessages() override { ++messagePumps; }
    void RequestEnd() override { endRequested_ = true; }
    bool EndRequested() const override { return endRequested_; }

    std::vector<std::string> MessageTexts() const;

private:
    bool endRequested_ = false;
};

}  // namespace sentrel
