#pragma once
// Everything the program asks of Windows besides the registry. Win32Platform passes each call
// through; FakePlatform records the calls and answers what a test set.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sentrel {

// The basic version record GetVersionExA fills (OSVERSIONINFOA, 148 bytes).
struct OsVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::uint32_t platformId = 0;
    std::string servicePack;
};

inline constexpr std::uint32_t kOsVersionInfoSize = 148;

// Message box buttons, icons and answers (the MB_ and ID values of windows.h).
inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbYesNo = 0x4;
inline constexpr unsigned kMbIconError = 0x10;
inline constexpr unsigned kMbIconQuestion = 0x20;
inline constexpr unsigned kMbIconInformation = 0x40;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

inline constexpr int kSwShowNormal = 1;

// The Win32 error codes of a file another writer holds.
inline constexpr std::uint32_t kErrorSharingViolation = 32;
inline constexpr std::uint32_t kErrorLockViolation = 33;

// A program to start through the shell.
struct StartRequest {
    std::string verb, file, parameters, directory;
    int showCommand = kSwShowNormal;
    // False: the shell shows no error box of its own (SEE_MASK_FLAG_NO_UI); a start that fails
    // is only reported to the caller.
    bool shellShowsErrors = true;
};

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

using ProcessHandle = std::uintptr_t;
enum class ClipboardResult { Copied, CannotOpen, CannotPut };
enum class WaitOutcome { Ended, TimedOut, Failed };

class Platform;

// The system's text for an error code on one line, without the line break (and blanks) the
// system ends it with; none when the system has no text for it. Every message that quotes the
// system reads it here.
std::optional<std::string> SystemErrorLine(Platform& platform, std::uint32_t code);

// The low digits hexadecimal digits of value, upper case ("04E4"): formatted by hand, as the
// C library's printf family would bring in MinGW's own printf, floating point and all.
std::string UpperHex(std::uint32_t value, int digits);

// "2026-12-09 07:52:24": how the record and the journal write a time.
std::string TimeText(const LocalTime& time);

class Platform {
public:
    virtual ~Platform() = default;

    // GetVersionExA with the size field set to 148; the call's own result is not examined.
    virtual OsVersion OsVersionRecord() = 0;
    // GetComputerNameA with a 17-character buffer and a stated size of 16; empty on failure.
    virtual std::string ComputerName() = 0;
    // The full path of the running program's file.
    virtual std::string ModuleFileName() = 0;

    // The version resource calls.
    virtual std::uint32_t FileVersionInfoSize(const std::string& file) = 0;
    virtual bool ReadFileVersionInfo(const std::string& file, std::vector<std::uint8_t>& block) = 0;
    // Copies what VerQueryValueA finds at path in the block; false when nothing is there.
    virtual bool QueryVersionValue(const std::vector<std::uint8_t>& block, const std::string& path,
                               std::vector<std::uint8_t>& value) = 0;

    // The text FormatMessageA gives for an error code, searching netmsg.dll first; none when
    // no text exists anywhere.
    virtual std::optional<std::string> SystemErrorText(std::uint32_t code) = 0;

    virtual int ShowMessageBox(const std::string& text, const char* caption,
                           unsigned flags) = 0;

    // ShellExecuteExA with SEE_MASK_NOCLOSEPROCESS; false when the start failed, with the
    // system's error code in error. The handle is 0 when the shell gave none.
    virtual bool StartProgram(const StartRequest& request, ProcessHandle* process,
                              std::uint32_t* error) = 0;
    virtual WaitOutcome WaitForProcess(ProcessHandle process, std::uint32_t milliseconds) = 0;
    virtual bool GetExitCode(ProcessHandle process, std::uint32_t* code) = 0;
    virtual void CloseProcess(ProcessHandle process) = 0;
    // Opens a link with the shell's default handler, in a normal window.
    virtual void OpenLink(const std::string& link) = 0;

    // Puts 8-bit text on the clipboard as CF_TEXT. CannotPut: the clipboard was opened and
    // emptied, but the text could not be put on it.
    virtual ClipboardResult SetClipboardText(const std::string& text) = 0;

    // The date and time of the computer's clock.
    virtual LocalTime Now() = 0;
    // Adds text to the end of a file, made when missing, in one write while no other writer
    // may open the file. Gives 0 or the system's error code (kErrorSharingViolation while
    // another writer holds the file); a write that fails leaves the file as it was.
    virtual std::uint32_t AppendToFile(const std::string& path, const std::string& text) = 0;
    // The whole of a file. Gives 0 or the system's error code.
    virtual std::uint32_t ReadFileText(const std::string& path, std::string* text) = 0;
    // The text in this computer's ANSI code page; false when a character of it has no place
    // there (the way back would not give it again), so nothing is stored as a look-alike.
    virtual bool UnicodeToAnsi(const std::u16string& text, std::string* ansi) = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    // From now on Windows shows no box of its own for this process: none for a drive without
    // a disk, none for a file that can't be opened, none for a crash (the process just ends).
    virtual void HideSystemErrorBoxes() = 0;

    // Takes this computer's turn for a run that plans and writes the registry (a named mutex
    // every Sentrel process shares), waiting up to milliseconds while another run holds it;
    // false when the wait ran out. EndRunTurn gives it back.
    virtual bool TakeRunTurn(std::uint32_t milliseconds) = 0;
    virtual void EndRunTurn() = 0;

    // Handles every pending window message; a WM_QUIT taken is put back.
    virtual void ProcessMessages() = 0;
    // Requests the end of the application; it takes effect when the message loop runs.
    virtual void RequestEnd() = 0;
    virtual bool EndRequested() const = 0;
};

}  // namespace sentrel
