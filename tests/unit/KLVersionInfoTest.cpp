// The file version reader against a fake platform; under Wine also against real files.
#include "detect/KLVersionInfo.h"

#include <gtest/gtest.h>

#include "support/FakePlatform.h"
#ifdef SENTREL_WITH_WIN32
#include "platform/Win32Platform.h"
#endif

namespace sentrel {
namespace {

using Block = std::vector<std::uint8_t>;

Block FixedInfo(std::uint32_t first) {
    Block bytes;
    for (std::uint32_t i = 0; i < 13; ++i)
        for (int b = 0; b < 4; ++b) bytes.push_back(std::uint8_t((first + i) >> (8 * b)));
    return bytes;
}

Block Text(const std::string& s) { return Block(s.begin(), s.end() + 1); }

class VersionInfo : public ::testing::Test {
protected:
    void SetUp() override {
        platform.moduleFileName = "C:\\Tools\\Sentrel.exe";
        platform.versionBlocks["C:\\Tools\\Sentrel.exe"] = Block(100, 0xAB);
        platform.versionValues["\\"] = FixedInfo(1);
        platform.versionValues["\\VarFileInfo\\Translation"] = Block{0x06, 0x04, 0xE4, 0x04};
        platform.versionValues["\\StringFileInfo\\040604E4\\FileVersion"] = Text("3.0.1.3");
    }
    FakePlatform platform;
};

TEST_F(VersionInfo, ReadsTheRunningProgramAtConstruction) {
    TKLVersionInfo info(platform);
    EXPECT_EQ(info.FileName(), "C:\\Tools\\Sentrel.exe");
    EXPECT_TRUE(info.AutoGetInfo());
    EXPECT_TRUE(info.HaveVersionInfo());
    EXPECT_EQ(info.Language(), 0x0406);
    EXPECT_EQ(info.CharSet(), 1252);
    EXPECT_EQ(info.TranslationKey(), "040604E4");
    EXPECT_EQ(info.Signature(), 1);
    EXPECT_EQ(info.StrucVersion(), 2);
    EXPECT_EQ(info.FileVersionMS(), 3);
    EXPECT_EQ(info.FileDateLS(), 13);
    EXPECT_EQ(info.GetValue("FileVersion"), "3.0.1.3");
    EXPECT_EQ(info.GetValue("Comments"), "No such VersionInfo");
}

TEST_F(VersionInfo, AFileWithoutResourceHasNothing) {
    platform.moduleFileName = "C:\\plain.txt";
    TKLVersionInfo info(platform);
    EXPECT_FALSE(info.HaveVersionInfo());
    EXPECT_EQ(info.Signature(), 0);
    EXPECT_EQ(info.FileVersionMS(), 0);
    EXPECT_EQ(info.Language(), 0);
    EXPECT_EQ(info.GetValue("FileVersion"), "No such VersionInfo");
}

TEST_F(VersionInfo, SettingTheFileNameReadsNothingUntilAsked) {
    TKLVersionInfo info(platform);
    info.SetFileName("C:\\plain.txt");
    EXPECT_TRUE(info.HaveVersionInfo());
    EXPECT_EQ(info.GetValue("FileVersion"), "3.0.1.3");
    info.GetFileInfo();
    EXPECT_FALSE(info.HaveVersionInfo());
    EXPECT_EQ(info.GetValue("FileVersion"), "No such VersionInfo");
}

TEST_F(VersionInfo, AutoGetInfoRereadsOnEveryChange) {
    TKLVersionInfo info(platform);
    info.SetFileName("C:\\plain.txt");
    info.SetAutoGetInfo(true);  // unchanged: nothing happens
    EXPECT_TRUE(info.HaveVersionInfo());
    info.SetAutoGetInfo(false);  // re-reads the named file
    EXPECT_FALSE(info.HaveVersionInfo());
    EXPECT_EQ(info.FileName(), "C:\\plain.txt");
    info.SetAutoGetInfo(true);  // back to the running program
    EXPECT_EQ(info.FileName(), "C:\\Tools\\Sentrel.exe");
    EXPECT_TRUE(info.HaveVersionInfo());
    EXPECT_EQ(info.GetValue("FileVersion"), "3.0.1.3");
}

TEST_F(VersionInfo, StringsUnderAnotherKeyThanTheFirstTranslationAreNotFound) {
    platform.versionValues["\\VarFileInfo\\Translation"] = Block{0x09, 0x04, 0xB0, 0x04, 0x06,
                                                                0x04, 0xE4, 0x04};
    TKLVersionInfo info(platform);
    EXPECT_EQ(info.TranslationKey(), "040904B0");
    EXPECT_EQ(info.GetValue("FileVersion"), "No such VersionInfo");
}

TEST_F(VersionInfo, AFailedReadAfterTheSizeLeavesNoBlock) {
    platform.versionBlocks.clear();
    // The size is known but the read fails: a platform whose read refuses.
    struct Refusing : FakePlatform {
        std::uint32_t FileVersionInfoSize(const std::string&) override { return 64; }
    } refusing;
    refusing.versionValues = platform.versionValues;
    refusing.moduleFileName = "C:\\Tools\\Sentrel.exe";
    TKLVersionInfo info(refusing);
    EXPECT_FALSE(info.HaveVersionInfo());
    EXPECT_EQ(info.GetValue("FileVersion"), "No such VersionInfo");
}

#ifdef SENTREL_WITH_WIN32
// Unix paths as Wine's drive Z: sees them.
std::string WinePath(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return "Z:" + path;
}

TEST(Win32VersionInfo, ReadsTheResourceOfTheRealProgram) {
    Win32Platform platform;
    TKLVersionInfo info(platform);
    info.SetFileName(WinePath(SENTREL_EXE_PATH));
    info.GetFileInfo();
    ASSERT_TRUE(info.HaveVersionInfo());
    EXPECT_EQ(info.Signature(), static_cast<std::int32_t>(0xFEEF04BD));
    EXPECT_EQ(info.FileVersionMS(), 0x00030000);
    EXPECT_EQ(info.FileVersionLS(), 0x00010003);
    EXPECT_EQ(info.ProductVersionMS(), 0x00030000);
    EXPECT_EQ(info.ProductVersionLS(), 0x00010003);
    EXPECT_EQ(info.FileFlagsMask(), 0x3F);
    EXPECT_EQ(info.FileFlags(), 0);
    EXPECT_EQ(info.FileOS(), 4);
    EXPECT_EQ(info.FileType(), 1);
    EXPECT_EQ(info.Language(), 0x0406);
    EXPECT_EQ(info.CharSet(), 1252);
    EXPECT_EQ(info.TranslationKey(), "040604E4");
    EXPECT_EQ(info.GetValue("FileVersion"), "3.0.1.3");
    EXPECT_EQ(info.GetValue("InternalName"), "Sentrel");
    EXPECT_EQ(info.GetValue("ProductName"), "Sentrel");
    EXPECT_EQ(info.GetValue("ProductVersion"), "3");
    EXPECT_EQ(info.GetValue("OriginalFilename"), "");
    EXPECT_EQ(info.GetValue("LegalTrademarks"), "");
    EXPECT_EQ(info.GetValue("NoSuchName"), "No such VersionInfo");
}

TEST(Win32VersionInfo, FilesWithoutResourceOrWithStringsElsewhere) {
    Win32Platform platform;
    TKLVersionInfo info(platform);
    for (const char* file : {SENTREL_SOURCE_DIR "/CMakeLists.txt", "/no/such/file.exe"}) {
        SCOPED_TRACE(file);
        info.SetFileName(WinePath(file));
        info.GetFileInfo();
        EXPECT_FALSE(info.HaveVersionInfo());
        EXPECT_EQ(info.GetValue("FileVersion"), "No such VersionInfo");
    }
    info.SetFileName(WinePath(OTHER_KEY_EXE_PATH));
    info.GetFileInfo();
    ASSERT_TRUE(info.HaveVersionInfo());
    EXPECT_EQ(info.TranslationKey(), "04090000");
    EXPECT_EQ(info.GetValue("FileVersion"), "No such VersionInfo");
}
#endif

}  // namespace
}  // namespace sentrel
