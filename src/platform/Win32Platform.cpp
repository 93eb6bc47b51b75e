#include "platform/Win32Platform.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "platform/RunTurnMutex.h"
#include "platform/SecurityDescriptor.h"

namespace sentrel {

static_assert(kMbOk == MB_OK && kMbYesNo == MB_YESNO && kMbIconError == MB_ICONERROR);
static_assert(kMbIconQuestion == MB_ICONQUESTION && kMbIconInformation == MB_ICONINFORMATION);
static_assert(kIdOk == IDOK && kIdCancel == IDCANCEL && kIdYes == IDYES && kIdNo == IDNO);
static_assert(kSwShowNormal == SW_SHOWNORMAL);
static_assert(kErrorSharingViolation == ERROR_SHARING_VIOLATION);
static_assert(kErrorLockViolation == ERROR_LOCK_VIOLATION);
static_assert(kOsVersionInfoSize == sizeof(OSVERSIONINFOA));

OsVersion Win32Platform::OsVersionRecord() {
    OSVERSIONINFOA info;
    std::memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = kOsVersionInfoSize;
    GetVersionExA(&info);
    return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber, info.dwPlatformId,
            info.szCSDVersion};
}

std::string Win32Platform::ComputerName() {
    char buffer[17] = {};
    DWORD size = 16;
    if (!GetComputerNameA(buffer, &size)) return std::string();
    return buffer;
}

std::string Win32Platform::ModuleFileName() {
    char buffer[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return std::string(buffer, length);
}

std::uint32_t Win32Platform::FileVersionInfoSize(const std::string& file) {
    DWORD handle = 0;
    return GetFileVersionInfoSizeA(file.c_str(), &handle);
}

bool Win32Platform::ReadFileVersionInfo(const std::string& file,
                                        std::vector<std::uint8_t>& block) {
    if (block.empty()) return false;
    return GetFileVersionInfoA(file.c_str(), 0, static_cast<DWORD>(block.size()), block.data());
}

bool Win32Platform::QueryVersionValue(const std::vector<std::uint8_t>& block,
                                      const std::string& path, std::vector<std::uint8_t>& value) {
    void* found = nullptr;
    UINT length = 0;
    // VerQueryValueA may convert the block in place, so it works on a copy.
    std::vector<std::uint8_t> copy(block);
    if (!VerQueryValueA(copy.data(), path.c_str(), &found, &length) || !found) return false;
    const auto* bytes = static_cast<const std::uint8_t*>(found);
    // String values report their length in characters; take the text up to its NUL.
    if (path.rfind("\\StringFileInfo", 0) == 0) {
        const void* nul = std::memchr(found, 0, length);
        if (nul) length = static_cast<UINT>(static_cast<const std::uint8_t*>(nul) - bytes);
    }
    value.assign(bytes, bytes + length);
    return true;
}

void* LoadSystemLibrary(const char* name, unsigned long flags) {
    char path[MAX_PATH + 16] = {};
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || lstrlenA(name) > 14) return nullptr;
    if (path[length - 1] != '\\') path[length++] = '\\';
    lstrcpyA(path + length, name);
    return LoadLibraryExA(path, nullptr, flags);
}

std::optional<std::string> Win32Platform::SystemErrorText(std::uint32_t code) {
    auto netmsg = static_cast<HMODULE>(LoadSystemLibrary("netmsg.dll", LOAD_LIBRARY_AS_DATAFILE));
    DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                  FORMAT_MESSAGE_FROM_SYSTEM;
    if (netmsg) flags |= FORMAT_MESSAGE_FROM_HMODULE;
    char* text = nullptr;
    DWORD length = FormatMessageA(flags, netmsg, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                  reinterpret_cast<char*>(&text), 0, nullptr);
    std::optional<std::string> result;
    if (length && text) result = std::string(text, length);
    if (text) LocalFree(text);
    if (netmsg) FreeLibrary(netmsg);
    return result;
}

int Win32Platform::ShowMessageBox(const std::string& text, const char* caption,
                                  unsigned flags) {
    // With an end pending the box must close at once, as if cancelled: the quit message in the
    // queue ends its modal loop.
    if (endRequested_) PostQuitMessage(0);
    return MessageBoxA(static_cast<HWND>(owner_), text.c_str(), caption, flags);
}

bool Win32Platform::StartProgram(const StartRequest& request, ProcessHandle* process,
                                 std::uint32_t* error) {
    SHELLEXECUTEINFOA info;
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    if (!request.shellShowsErrors) info.fMask |= SEE_MASK_FLAG_NO_UI;
    info.hwnd = nullptr;
    info.lpVerb = request.verb.c_str();
    info.lpFile = request.file.c_str();
    info.lpParameters = request.parameters.c_str();
    info.lpDirectory = request.directory.c_str();
    info.nShow = request.showCommand;
    if (!ShellExecuteExA(&info)) {
        *error = GetLastError();
        return false;
    }
    *process = reinterpret_cast<ProcessHandle>(info.hProcess);
    return true;
}

WaitOutcome Win32Platform::WaitForProcess(ProcessHandle process, std::uint32_t milliseconds) {
    switch (WaitForSingleObject(reinterpret_cast<HANDLE>(process), milliseconds)) {
        case WAIT_OBJECT_0: return WaitOutcome::Ended;
        case WAIT_TIMEOUT: return WaitOutcome::TimedOut;
        default: return WaitOutcome::Failed;
    }
}

bool Win32Platform::GetExitCode(ProcessHandle process, std::uint32_t* code) {
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(reinterpret_cast<HANDLE>(process), &exitCode)) return false;
    *code = exitCode;
    return true;
}

void Win32Platform::CloseProcess(ProcessHandle process) {
    if (process) CloseHandle(reinterpret_cast<HANDLE>(process));
}

void Win32Platform::OpenLink(const std::string& link) {
    ShellExecuteA(static_cast<HWND>(owner_), "open", link.c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
}

ClipboardResult Win32Platform::SetClipboardText(const std::string& text) {
    if (!OpenClipboard(static_cast<HWND>(owner_))) return ClipboardResult::CannotOpen;
    bool put = false;
    if (EmptyClipboard()) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
        if (memory) {
            if (void* target = GlobalLock(memory)) {
                std::memcpy(target, text.c_str(), text.size() + 1);
                GlobalUnlock(memory);
                put = SetClipboardData(CF_TEXT, memory) != nullptr;
            }
            // The clipboard owns the memory only once it took it.
            if (!put) GlobalFree(memory);
        }
    }
    CloseClipboard();
    return put ? ClipboardResult::Copied : ClipboardResult::CannotPut;
}

LocalTime Win32Platform::Now() {
    SYSTEMTIME time;
    GetLocalTime(&time);
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

// Other writers are kept out while the file is open (share mode read only), so two appends
// never interleave, on a file share too; what a failed write added is cut off again.
std::uint32_t Win32Platform::AppendToFile(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    LONG endHigh = 0;
    SetLastError(NO_ERROR);  // the end of a file of 4 GiB - 1 bytes reads as the error value
    DWORD endLow = SetFilePointer(file, 0, &endHigh, FILE_END);
    DWORD error = endLow == INVALID_SET_FILE_POINTER ? GetLastError() : NO_ERROR;
    if (error == NO_ERROR) {
        DWORD written = 0;
        const DWORD size = static_cast<DWORD>(text.size());
        if (!WriteFile(file, text.data(), size, &written, nullptr) || written != size) {
            error = GetLastError();
            if (error == NO_ERROR) error = ERROR_WRITE_FAULT;
            SetFilePointer(file, static_cast<LONG>(endLow), &endHigh, FILE_BEGIN);
            SetEndOfFile(file);
        }
    }
    if (!CloseHandle(file) && error == NO_ERROR) error = GetLastError();
    return error;
}

std::uint32_t Win32Platform::ReadFileText(const std::string& path, std::string* text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    DWORD error = NO_ERROR;
    // A response file is a few lines: more than 1 MiB is not one.
    const DWORD size = GetFileSize(file, nullptr);
    if (size == INVALID_FILE_SIZE || size > (1u << 20)) error = ERROR_FILE_TOO_LARGE;
    std::string read(error ? 0 : size, '\0');
    DWORD got = 0;
    if (!error && size && (!ReadFile(file, &read[0], size, &got, nullptr) || got != size))
        error = GetLastError() ? GetLastError() : ERROR_READ_FAULT;
    CloseHandle(file);
    if (!error) *text = std::move(read);
    return error;
}

// WideCharToMultiByte maps a character the code page lacks to a look-alike ("best fit") or to
// "?" without saying so on every Windows: the way back tells.
bool Win32Platform::UnicodeToAnsi(const std::u16string& text, std::string* ansi) {
    if (text.empty()) {
        ansi->clear();
        return true;
    }
    const auto* wide = reinterpret_cast<const WCHAR*>(text.data());
    const int units = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, units, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return false;
    std::string narrow(size, '\0');
    BOOL usedDefault = FALSE;
    if (WideCharToMultiByte(CP_ACP, 0, wide, units, &narrow[0], size, nullptr, &usedDefault) !=
            size ||
        usedDefault)
        return false;
    std::u16string back(text.size(), u'\0');
    if (MultiByteToWideChar(CP_ACP, 0, narrow.data(), size, reinterpret_cast<WCHAR*>(&back[0]),
                            units) != units ||
        back != text)
        return false;
    *ansi = std::move(narrow);
    return true;
}

void Win32Platform::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

void Win32Platform::HideSystemErrorBoxes() {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
}

namespace {

class Win32MutexCalls : public MutexCalls {
public:
    std::uintptr_t Create(const char* name, long* error) override {
        // Windows 9x keeps no security: the list is for the NT family.
        std::vector<std::uint8_t> list = AdministratorsAndSystemOnly(kMutexAllAccessRights, false);
        SECURITY_ATTRIBUTES attributes{sizeof attributes, list.data(), FALSE};
        HANDLE mutex = CreateMutexA(GetVersion() & 0x80000000u ? nullptr : &attributes, FALSE, name);
        *error = mutex ? 0 : static_cast<long>(GetLastError());
        return reinterpret_cast<std::uintptr_t>(mutex);
    }
    std::uintptr_t Open(const char* name, std::uint32_t access, long* error) override {
        HANDLE mutex = OpenMutexA(access, FALSE, name);
        *error = mutex ? 0 : static_cast<long>(GetLastError());
        return reinterpret_cast<std::uintptr_t>(mutex);
    }
};

}  // namespace

// Runs in every session of a terminal server take turns too, so the mutex is global where the
// system knows the namespace (RunTurnMutex.h says which object a run waits on).
bool Win32Platform::TakeRunTurn(std::uint32_t milliseconds) {
    bool refused = false;
    if (!runTurn_) {
        Win32MutexCalls calls;
        runTurn_ = reinterpret_cast<void*>(OpenRunTurnMutex(calls, &refused));
    }
    if (!runTurn_) {
        if (!refused) return true;  // no mutex can be had at all: the run goes on alone
        // One is there that this account may not wait on: never alone beside another run.
        ::Sleep(milliseconds);
        return false;
    }
    // A run that ended without giving its turn back (WAIT_ABANDONED) holds it no more.
    const DWORD outcome = WaitForSingleObject(runTurn_, milliseconds);
    return outcome == WAIT_OBJECT_0 || outcome == WAIT_ABANDONED;
}

void Win32Platform::EndRunTurn() {
    if (runTurn_) ReleaseMutex(runTurn_);
}

void Win32Platform::ProcessMessages() {
    if (endRequested_) PostQuitMessage(0);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The end stays requested: the main loop must still see it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The quit message is posted only where a message loop will see it (a message box, the message
// pump): a run that ends without one never makes a message queue, which on Wine spares starting
// the desktop.
void Win32Platform::RequestEnd() { endRequested_ = true; }

}  // namespace sentrel
