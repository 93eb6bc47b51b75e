#pragma once
// Start-up and the unattended run on a fake platform and an in-memory registry that looks like
// a Windows XP workstation; InstallClient adds the Novell client.
#include "app/Startup.h"
#include "support/MemoryStore.h"
#include "registry/unitEXRegistry.h"
#include "support/RecordingStore.h"
#include "support/Workstation.h"

namespace sentrel::test {

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        using namespace keys;
        platform.versionBlocks[platform.moduleFileName] = Bytes(16, 1);
        platform.versionValues["\\VarFileInfo\\Translation"] = Bytes{0x06, 0x04, 0xE4, 0x04};
        platform.versionValues["\\StringFileInfo\\040604E4\\FileVersion"] = Sz("3.0.1.3");
        MakeKey(memory, kWinlogon);
        MakeKey(memory, kRun);
        PutString(memory, kWinlogon, "DefaultDomainName", "XP-PC");
        PutString(memory, kWinlogon, "DefaultUserName", "Administrator");
    }
    void InstallClient() {
        using namespace keys;
        PutDword(memory, kClientVersion, "MajorVersion", 4);
        PutDword(memory, kClientVersion, "MinorVersion", 91);
        PutDword(memory, kClientVersion9x, "Major Version", 3);
        PutDword(memory, kClientVersion9x, "Minor Version", 30);
        PutDword(memory, kLogin, "NMAS Authentication", 1);
        PutString(memory, kWinlogon, "GinaDLL", "NWGINA.DLL");
        PutValue(memory, kWorkstationService, "DependOnService", kRegMultiSz,
                 MultiSzBlock({"Tcpip"}));
        PutDword(memory, kSrvlocService, "Start", 2);
    }
    void On9x() { platform.version = {4, 10, 1998, 1, ""}; }
    void Start(const std::string& arguments) {
        program.switches = Switches::FromCommandLine("Sentrel.exe " + arguments);
        FormCreate(program);
    }
    std::string At(const std::string& path, const std::string& name) {
        return Show(memory, path, name);
    }

    MemoryStore memory;
    RecordingStore store{memory};
    FakePlatform platform;
    ProgramState state;
    FormState form;
    Switches switches{{}};
    CommandLine commandLine;
    Environment environment;
    Program program{store, platform, state, form, switches, commandLine, environment};
};

}  // namespace sentrel::test
