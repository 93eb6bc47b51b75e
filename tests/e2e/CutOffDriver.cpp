#include "CutOffDriver.h"

#include <windows.h>

#include <map>
#include <vector>

#include "SentrelDriver.h"

namespace sentrel::e2e {

namespace {

const char* const kChangeCalls[] = {"RegSetValueExA", "RegDeleteValueA", "RegDeleteKeyA",
                                    "RegCreateKeyExA", "RegFlushKey",     "RegSetKeySecurity"};
const BYTE kBreakpoint = 0xCC;

// A breakpoint at the entry of each call, where the program's process has the same code as
// this one (the system DLLs load at the same address in both); gives the original bytes.
std::map<DWORD_PTR, BYTE> SetBreakpoints(HANDLE process) {
    std::map<DWORD_PTR, BYTE> set;
    HMODULE advapi = LoadLibraryA("advapi32.dll");
    for (const char* name : kChangeCalls) {
        auto* mine = reinterpret_cast<BYTE*>(GetProcAddress(advapi, name));
        if (!mine) continue;
        BYTE theirs[16] = {};
        SIZE_T read = 0;
        if (!ReadProcessMemory(process, mine, theirs, sizeof theirs, &read) ||
            read != sizeof theirs || memcmp(theirs, mine, sizeof theirs) != 0)
            continue;
        SIZE_T written = 0;
        if (WriteProcessMemory(process, mine, &kBreakpoint, 1, &written) && written == 1)
            set[reinterpret_cast<DWORD_PTR>(mine)] = theirs[0];
    }
    FlushInstructionCache(process, nullptr, 0);
    return set;
}

void PutByte(HANDLE process, DWORD_PTR at, BYTE byte) {
    SIZE_T written = 0;
    WriteProcessMemory(process, reinterpret_cast<void*>(at), &byte, 1, &written);
    FlushInstructionCache(process, reinterpret_cast<void*>(at), 1);
}

// Moves the thread back onto the instruction the breakpoint replaced, to run it once and stop.
void StepOver(HANDLE thread, DWORD_PTR at) {
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_CONTROL;
    GetThreadContext(thread, &context);
#ifdef _WIN64
    context.Rip = at;
#else
    context.Eip = static_cast<DWORD>(at);
#endif
    context.EFlags |= 0x100;  // the trap flag: one instruction, then a single-step event
    SetThreadContext(thread, &context);
}

}  // namespace

CutOffOutcome RunCutOffBefore(int change, const std::string& arguments,
                              const std::string& windowsVersion) {
    CutOffOutcome outcome;
    EmulateWindows("Sentrel.exe", windowsVersion);
    const std::string program = SentrelPath();
    std::string line = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE,
                        DEBUG_ONLY_THIS_PROCESS, nullptr, nullptr, &startup, &process))
        return outcome;
    outcome.started = true;
    std::map<DWORD, HANDLE> threads{{process.dwThreadId, process.hThread}};
    std::map<DWORD_PTR, BYTE> breakpoints;
    bool armed = false;
    DWORD_PTR stepping = 0;
    const DWORD started = GetTickCount();
    for (;;) {
        DEBUG_EVENT event = {};
        if (!WaitForDebugEvent(&event, 1000)) {
            if (GetTickCount() - started < 60000) continue;
            TerminateProcess(process.hProcess, 1000);
            outcome.exitCode = -1000;
            break;
        }
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
            case CREATE_PROCESS_DEBUG_EVENT:
                if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
                break;
            case LOAD_DLL_DEBUG_EVENT:
                if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
                break;
            case CREATE_THREAD_DEBUG_EVENT:
                threads[event.dwThreadId] = event.u.CreateThread.hThread;
                break;
            case EXCEPTION_DEBUG_EVENT: {
                const EXCEPTION_RECORD& record = event.u.Exception.ExceptionRecord;
                const auto at = reinterpret_cast<DWORD_PTR>(record.ExceptionAddress);
                if (record.ExceptionCode == EXCEPTION_BREAKPOINT && !armed) {
                    // The loader's breakpoint: every DLL the program imports is there now.
                    breakpoints = SetBreakpoints(process.hProcess);
                    armed = true;
                } else if (record.ExceptionCode == EXCEPTION_BREAKPOINT && breakpoints.count(at)) {
                    if (outcome.changes == change) {
                        outcome.cut = true;
                        TerminateProcess(process.hProcess, 99);
                        break;
                    }
                    ++outcome.changes;
                    PutByte(process.hProcess, at, breakpoints[at]);
                    StepOver(threads[event.dwThreadId], at);
                    stepping = at;
                } else if (record.ExceptionCode == EXCEPTION_SINGLE_STEP && stepping) {
                    PutByte(process.hProcess, stepping, kBreakpoint);
                    stepping = 0;
                } else {
                    status = DBG_EXCEPTION_NOT_HANDLED;  // the program's own (C++ exceptions)
                }
                break;
            }
            case EXIT_PROCESS_DEBUG_EVENT:
                outcome.exitCode = static_cast<int>(event.u.ExitProcess.dwExitCode);
                ContinueDebugEvent(event.dwProcessId, event.dwThreadId, DBG_CONTINUE);
                CloseHandle(process.hProcess);
                CloseHandle(process.hThread);
                return outcome;
            default: break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    }
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return outcome;
}

}  // namespace sentrel::e2e
