#pragma once
// The platform as Windows gives it: each call passes through to the ANSI Win32 function.
#include "platform/Platform.h"

namespace sentrel {

// Loads a DLL of the system folder by its full path, never one of the program's folder or the
// current directory: a DLL planted beside the program is not run. flags as LoadLibraryExA's.
void* LoadSystemLibrary(const char* name, unsigned long flags = 0);

class Win32Platform : public Platform {
public:
    OsVersion OsVersionRecord() override;
    std::string ComputerName() override;
    std::string ModuleFileName() override;
    std::uint32_t FileVersionInfoSize(const std::string& file) override;
    bool ReadFileVersionInfo(const std::string& file, std::vector<std::uint8_t>& block) override;
    bool QueryVersionValue(const std::vector<std::uint8_t>& block, const std::string& path,
                           std::vector<std::uint8_t>& value) override;
    std::optional<std::string> SystemErrorText(std::uint32_t code) override;
    int ShowMessageBox(const std::string& text, const char* caption,
                       unsigned flags) override;
    bool StartProgram(const StartRequest& request, ProcessHandle* process,
                      std::uint32_t* error) override;
    WaitOutcome WaitForProcess(ProcessHandle process, std::uint32_t milliseconds) override;
    bool GetExitCode(ProcessHandle process, std::uint32_t* code) override;
    void CloseProcess(ProcessHandle process) override;
    void OpenLink(const std::string& link) override;
    ClipboardResult SetClipboardText(const std::string& text) override;
    LocalTime Now() override;
    std::uint32_t AppendToFile(const std::string& path, const std::string& text) override;
    std::uint32_t ReadFileText(const std::string& path, std::string* text) override;
    bool UnicodeToAnsi(const std::u16string& text, std::string* ansi) override;
    void Sleep(std::uint32_t milliseconds) override;
    void HideSystemErrorBoxes() override;
    bool TakeRunTurn(std::uint32_t milliseconds) override;
    void EndRunTurn() override;
    void ProcessMessages() override;
    void RequestEnd() override;
    bool EndRequested() const override { return endRequested_; }

    // The window that owns message boxes; none until the main window exists.
    void SetOwnerWindow(void* window) { owner_ = window; }

private:
    bool endRequested_ = false;
    void* owner_ = nullptr;
    void* runTurn_ = nullptr;  // the mutex, once made
};

}  // namespace sentrel
