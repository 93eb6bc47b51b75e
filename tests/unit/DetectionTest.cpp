// The Windows family, the computer name and the Novell client's version.
#include "support/ErrorOf.h"
#include <gtest/gtest.h>

#include "detect/ClientVersion.h"
#include "detect/WindowsFamily.h"
#include "support/FakePlatform.h"
#include "support/MemoryStore.h"
#include "registry/Registry.h"
#include "support/RegistryHelpers.h"

namespace sentrel::test {
namespace {

const std::string kNT = "SOFTWARE\\Novell\\NetWareWorkstation\\CurrentVersion";
const std::string k9x = "Network\\Novell\\System Config\\Install\\Client Version";

TEST(GetWindowsVersion, TellsTheFamilyByPlatformAndMajorVersion) {
    struct Case {
        std::uint32_t platformId, major, minor;
        const char* family;
    } cases[] = {
        {0, 3, 10, "Windows 31"},   {1, 4, 0, "Windows 95"},  {1, 4, 10, "Windows 95"},
        {1, 4, 90, "Windows 95"},   {2, 4, 0, "Windows NT"},  {2, 5, 0, "Windows 2000"},
        {2, 5, 1, "Windows 2000"},  {2, 5, 2, "Windows 2000"}, {2, 6, 1, "Windows NT"},
        {2, 10, 0, "Windows NT"},   {3, 5, 1, ""},
    };
    FakePlatform platform;
    for (const Case& c : cases) {
        platform.version = {c.major, c.minor, 0, c.platformId, ""};
        EXPECT_EQ(GetWindowsVersion(platform), c.family)
            << "platform " << c.platformId << " version " << c.major << "." << c.minor;
    }
}

TEST(GetWorkstationName, IsWhatThePlatformReports) {
    FakePlatform platform;
    platform.computerName = "KIOSK-07";
    EXPECT_EQ(GetWorkstationName(platform), "KIOSK-07");
    platform.computerName = "";
    EXPECT_EQ(GetWorkstationName(platform), "");
}

class ClientVersion : public ::testing::Test {
protected:
    std::string Read() { return GetClientVersion(store, platform); }
    void On9x() { platform.version = {4, 10, 2222, 1, " A "}; }
    MemoryStore store;
    FakePlatform platform;  // Windows XP unless a test says otherwise
};

TEST_F(ClientVersion, NotDetectedWithoutTheClientKeyOnEitherRoad) {
    EXPECT_EQ(Read(), "Not Detected");
    PutDword(store, k9x, "Major Version", 3);  // the other road's key is not seen
    EXPECT_EQ(Read(), "Not Detected");
    On9x();
    store = MemoryStore();
    PutDword(store, kNT, "MajorVersion", 4);
    EXPECT_EQ(Read(), "Not Detected");
}

TEST_F(ClientVersion, NtRoadAppendsOptionalPartsIndependently) {
    PutDword(store, kNT, "MajorVersion", 4);
    PutDword(store, kNT, "MinorVersion", 83);
    EXPECT_EQ(Read(), "4.83");
    PutDword(store, kNT, "MinorInternalVersion", 2);
    EXPECT_EQ(Read(), "4.83.2");
    PutDword(store, kNT, "MajorInternalVersion", 1);
    EXPECT_EQ(Read(), "4.83.1.2");
    PutDword(store, kNT, "Service Pack", 2);
    EXPECT_EQ(Read(), "4.83.1.2 SP2");
    PutString(store, kNT, "Service Pack", "1a");
    EXPECT_EQ(Read(), "4.83.1.2 SP1a");
    PutValue(store, kNT, "Service Pack", kRegBinary, Bytes{1});
    EXPECT_EQ(Read(), "4.83.1.2");
    PutValue(store, kNT, "Service Pack", kRegExpandSz, Sz("3"));
    EXPECT_EQ(Read(), "4.83.1.2");
    PutDword(store, kNT, "MajorVersion", 0xFFFFFFFF);  // read as a signed number
    EXPECT_EQ(Read(), "-1.83.1.2");
}

TEST_F(ClientVersion, NineXRoadReadsItsOwnNamesAndABinaryServicePack) {
    On9x();
    PutDword(store, k9x, "Major Version", 3);
    PutDword(store, k9x, "Minor Version", 3);
    EXPECT_EQ(Read(), "3.3");
    PutDword(store, k9x, "Level", 0);
    EXPECT_EQ(Read(), "3.3.0");
    PutDword(store, k9x, "Revision", 2);
    PutValue(store, k9x, "Service Pack", kRegBinary, Bytes{2});
    EXPECT_EQ(Read(), "3.3.2.0 SP2");
    PutValue(store, k9x, "Service Pack", kRegBinary, Bytes{0x01, 0x01});
    EXPECT_EQ(Read(), "3.3.2.0 SP257");
    PutValue(store, k9x, "Service Pack", kRegBinary, Bytes{});
    EXPECT_EQ(Read(), "3.3.2.0 SP0");
}

TEST_F(ClientVersion, BadNumbersRaiseTheAccessorsReadError) {
    MakeKey(store, kNT);
    EXPECT_EQ(ErrorOf([&] { Read(); }), "Failed to get data for 'MajorVersion'");  // first read
    PutDword(store, kNT, "MinorVersion", 1);
    EXPECT_EQ(ErrorOf([&] { Read(); }), "Failed to get data for 'MajorVersion'");
    PutString(store, kNT, "MajorVersion", "4");
    EXPECT_EQ(ErrorOf([&] { Read(); }), "Invalid data type for 'MajorVersion'");
    PutString(store, kNT, "MajorVersion", "4.90");
    EXPECT_EQ(ErrorOf([&] { Read(); }), "Failed to get data for 'MajorVersion'");
    PutDword(store, kNT, "MajorVersion", 4);
    PutValue(store, kNT, "MajorInternalVersion", kRegBinary, Bytes{1});
    EXPECT_EQ(ErrorOf([&] { Read(); }), "Invalid data type for 'MajorInternalVersion'");
    PutValue(store, kNT, "MajorInternalVersion", kRegDword, Bytes(8, 0));
    EXPECT_EQ(ErrorOf([&] { Read(); }), "Failed to get data for 'MajorInternalVersion'");
}

TEST_F(ClientVersion, AKeyWithoutWriteRightsIsReadAsItIs) {
    PutDword(store, kNT, "MajorVersion", 4);
    PutDword(store, kNT, "MinorVersion", 9);
    store.Deny(kHkeyLocalMachine, kNT);  // read-only: a standard user's rights
    EXPECT_EQ(Read(), "4.9");
}

TEST_F(ClientVersion, Windows3xIsNotReadAtAll) {
    platform.version = {3, 10, 0, 0, ""};
    PutString(store, kNT, "MajorVersion", "bad");
    EXPECT_EQ(Read(), "Windows 3x is not supported");
}

}  // namespace
}  // namespace sentrel::test
