#include "logon/DirectoryAutoLogon.h"

#include "logon/KeyAccess.h"
#include "logon/NovellLogin.h"
#include "logon/RegistryPaths.h"
#include "logon/WorkstationServiceDependency.h"

namespace sentrel {

void SetDirectoryAutoLogon(LogonContext& context, const LogonSettings& settings) {
    {
        TRegistry reg(context.store);
        reg.SetRootKey(kHkeyLocalMachine);
        // Without the client's login key none of this writer's own values are written.
        if (OpenOnly(reg, kNovellLoginKey, true)) {
            SaveAndSwitchOffNmas(reg);
            WriteNovellLoginValues(reg, context, settings, DirectoryLogon::Automatic, true);
            WriteDirectoryProfile(reg, context, settings, DirectoryLogon::Automatic);
        }
    }
    if (!SetWorkstationServiceDependency(context.store, context.platform))
        context.state.Note = kNoteNoSrvloc;
}

}  // namespace sentrel
