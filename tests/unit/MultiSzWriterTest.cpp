// The multi-string writer: the data block and the error of a refused write.
#include "support/FakePlatform.h"
#include "support/MemoryStore.h"
#include "registry/unitEXRegistry.h"
#include "support/RegistryHelpers.h"
#ifdef SENTREL_WITH_WIN32
#include "platform/Win32Platform.h"
#endif

#include <gtest/gtest.h>

namespace sentrel::test {
namespace {

TEST(MultiSzBlock, EveryItemEndsInNulAndOneMoreNulCloses) {
    EXPECT_EQ(MultiSzBlock({"SRVLOC"}), (Bytes{'S', 'R', 'V', 'L', 'O', 'C', 0, 0}));
    EXPECT_EQ(MultiSzBlock({}), Bytes{0});
    EXPECT_EQ(MultiSzBlock({"a", "", "b"}), (Bytes{'a', 0, 0, 'b', 0, 0}));
}

TEST(TExRegistry, WritesTheBlockAsMultiSzIntoTheOpenKey) {
    MemoryStore store;
    FakePlatform platform;
    PutValue(store, "SYSTEM\\Svc", "DependOnService", kRegMultiSz, MultiSzBlock({"A", "B"}));
    TExRegistry reg(store, platform);
    reg.SetRootKey(kHkeyLocalMachine);
    ASSERT_TRUE(reg.OpenKey("\\SYSTEM\\Svc", false));
    reg.WriteMultiSz("DependOnService", {"SRVLOC"});
    EXPECT_EQ(Show(store, "SYSTEM\\Svc", "DependOnService"), "MULTI_SZ:5352564C4F430000");
}

TEST(TExRegistry, ARefusedWriteCarriesTheCodeAndTheSystemText) {
    MemoryStore store;
    FakePlatform platform;
    platform.errorTexts[6] = "The handle is invalid.\r\n";
    TExRegistry reg(store, platform);  // no key open: the write is refused
    try {
        reg.WriteMultiSz("DependOnService", {"SRVLOC"});
        FAIL() << "no error";
    } catch (const EExRegistryException& e) {
        EXPECT_EQ(e.ErrorCode(), 6u);
        // The system's text on one line: its closing line break is not the message's.
        EXPECT_STREQ(e.what(), "Error 6 : The handle is invalid.:Unable to write MULTI_SZ value");
    }
    platform.errorTexts.clear();
    try {
        reg.WriteMultiSz("DependOnService", {"SRVLOC"});
        FAIL() << "no error";
    } catch (const RegistryError& e) {
        EXPECT_STREQ(e.what(), "Error 6:Unable to write MULTI_SZ value");
    }
}

#ifdef SENTREL_WITH_WIN32
TEST(Win32ErrorText, ComesFromTheSystemOrIsTheBareCode) {
    Win32Platform platform;
    std::string denied = ErrorText(platform, 5);
    EXPECT_EQ(denied.rfind("Error 5 : ", 0), 0u) << denied;
    EXPECT_GT(denied.size(), std::string("Error 5 : ").size());
    EXPECT_EQ(ErrorText(platform, 0x2FFFFFF0), "Error 805306352");
}
#endif

}  // namespace
}  // namespace sentrel::test
