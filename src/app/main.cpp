// The program entry: the window is made, start-up runs before it is shown, and the message
// loop runs until the end is requested. The exit code is the program state's.
#include <windows.h>

#include "app/Startup.h"
#include "platform/Win32Platform.h"
#include "registry/Win32Store.h"
#include "ui/TForm1.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    sentrel::Win32Store store;
    sentrel::Win32Platform platform;
    sentrel::ProgramState state;
    sentrel::FormState form;
    sentrel::Switches switches = sentrel::Switches::FromCommandLine(GetCommandLineA());
    sentrel::CommandLine commandLine;
    sentrel::Environment environment;
    sentrel::Program program{store, platform, state, form, switches, commandLine, environment};
    // Start-up works on the window's state, outside window creation: modal boxes, the
    // installer wait and errors stay out of WM_CREATE, and a run that ends at once (unattended,
    // help, refusal) never pays for controls nobody sees.
    sentrel::FormCreate(program);
    if (platform.EndRequested()) return state.ExitCode;
    sentrel::TForm1 window(program.Context(), form, platform);
    if (!window.Create(instance)) return 1;
    window.Show();

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (window.Handle() && window.ChangePageByKey(message)) continue;
        if (window.Handle() && IsDialogMessageA(window.Handle(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return state.ExitCode;
}
