// What an administrator's response file and command line mean, or why they are refused: every
// encoding Windows tools write, every line end, a switch table that accepts only its own
// switches, and no password in a record or a message.
#include "app/RecordedRun.h"
#include "app/RunRecord.h"
#include "app/ResponseFileText.h"
#include "app/ResponseFiles.h"
#include "switches/SwitchNotes.h"
#include "switches/SwitchTable.h"
#include "support/StartupFixture.h"

namespace sentrel::test {
namespace {

using namespace keys;

std::vector<std::string> Texts(const std::vector<ResponseLine>& lines) {
    std::vector<std::string> texts;
    for (const ResponseLine& line : lines) texts.push_back(line.text);
    return texts;
}

std::string Utf16(const std::u16string& text, bool little) {
    std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
    for (char16_t c : text) {
        const char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
        bytes += little ? low : high;
        bytes += little ? high : low;
    }
    return bytes;
}

// The line number and message of a refusal, or "read".
std::string Refusal(const std::string& bytes) {
    FakePlatform platform;
    try {
        ResponseFileLines(bytes, platform);
    } catch (const ResponseLineError& e) {
        return std::to_string(e.Line()) + ": " + e.what();
    }
    return "read";
}

TEST(ResponseFileText, EveryEncodingWindowsToolsWriteGivesTheAnsiText) {
    FakePlatform platform;  // code page 1252
    const std::vector<std::string> meant{"/MSUsr:M\xFCller", "/MSPass:5\x80"};
    const std::u16string text = u"/MSUsr:M\u00FCller\r\n/MSPass:5\u20AC\r\n";
    for (const std::string& bytes : {
             Utf16(text, true),                                               // Notepad's "Unicode"
             Utf16(text, false),                                              // big-endian
             std::string("\xEF\xBB\xBF/MSUsr:M\xC3\xBCller\r\n/MSPass:5\xE2\x82\xAC\r\n"),
             std::string("/MSUsr:M\xC3\xBCller\n/MSPass:5\xE2\x82\xAC"),      // UTF-8, no mark
             std::string("/MSUsr:M\xFCller\r\n/MSPass:5\x80\r\n"),            // the ANSI code page
         })
        EXPECT_EQ(Texts(ResponseFileLines(bytes, platform)), meant) << bytes;
    // CR LF, LF and a lone CR each end a line, in every encoding; a blank line stays a line.
    const std::vector<std::string> four{"a", "b", "", "d"};
    EXPECT_EQ(Texts(ResponseFileLines("a\r\nb\n\rd", platform)), four);
    EXPECT_EQ(Texts(ResponseFileLines(Utf16(u"a\rb\n\r\nd\r", true), platform)), four);
}

TEST(ResponseFileText, WhatCannotBeReadAsMeantIsRefusedWithItsLine) {
    EXPECT_EQ(Refusal("/U\r\n/MSUsr:\xC5\x81ukasz\r\n"),  // a Polish letter 1252 lacks
              "2: holds a character that this computer's ANSI code page cannot hold");
    EXPECT_EQ(Refusal(Utf16(u"/U\n/MSUsr:\u0141ukasz", true)),
              "2: holds a character that this computer's ANSI code page cannot hold");
    EXPECT_EQ(Refusal(std::string("/U\r\n/U\r\n/MSUsr:a\0b", 17)), "3: holds a control character");
    EXPECT_EQ(Refusal("/MSUsr:a\x1b" "b"), "1: holds a control character");
    EXPECT_EQ(Refusal("/MSUsr:a\tb"), "read");  // a tab is text
    EXPECT_EQ(Refusal("\xEF\xBB\xBF/U\n/MSUsr:M\xFCller"), "2: is not valid UTF-8");
    EXPECT_EQ(Refusal(Utf16(u"/U\n/U", true) + "x"), "2: ends inside a UTF-16 character");
    // Without a mark, text that is not UTF-8 is the ANSI code page's: "\xC3" alone is an Ã.
    EXPECT_EQ(Refusal("/MSUsr:\xC3 x"), "read");
}

class ResponseFile : public Startup {
protected:
    std::string Read(const std::string& text) {
        platform.files["C:\\kiosk.txt"] = text;
        try {
            const auto read = ReadResponseFiles({"Sentrel.exe", "@C:\\kiosk.txt"}, platform);
            std::string joined;
            for (std::size_t i = 1; i < read.size(); ++i) joined += "[" + read[i] + "]";
            return joined;
        } catch (const std::exception& e) {
            return e.what();
        }
    }
};

TEST_F(ResponseFile, HoldsOnlySwitchesAsTheTableWritesThem) {
    EXPECT_EQ(Read("# the kiosks of hall 2\r\n\r\n  /U\r\n\t/RunScript \r\n/MSPass: a b \r\n"
                   "/ndspass:x\r\n/Disable:now\r\n"),
              "[/U][/RunScript][/MSPass: a b ][/ndspass:x][/Disable:now]");
    EXPECT_EQ(Read("/U\r\n/NDSUSR:kiosk1\r\n"),
              "Cannot read the response file C:\\kiosk.txt: line 2 \"/NDSUSR:****\" is no "
              "switch of Sentrel; it is written /NDSUsr:");
    EXPECT_EQ(Read("/Bogus:1"),
              "Cannot read the response file C:\\kiosk.txt: line 1 \"/Bogus:****\" is no switch "
              "of Sentrel");
    EXPECT_EQ(Read("@C:\\other.txt"),
              "Cannot read the response file C:\\kiosk.txt: line 1 \"@C:\\other.txt\" is no "
              "switch of Sentrel");
    // A misspelt password switch never shows its password.
    const std::string refused = Read("/U\n/MSPasswd:Leak3\n");
    EXPECT_EQ(refused.find("Leak3"), std::string::npos) << refused;
    EXPECT_NE(refused.find("line 2 \"/MSPasswd:****\""), std::string::npos) << refused;
}

TEST(Masking, EveryPasswordTheLookupsTakeAndEveryValueOfAnUnknownSwitch) {
    EXPECT_EQ(MaskedArgument("/MSPass:secret"), "/MSPass:****");
    EXPECT_EQ(MaskedArgument("/mspass:secret"), "/mspass:****");  // the lookups take any case
    EXPECT_EQ(MaskedArgument("/NDSPass:"), "/NDSPass:****");
    EXPECT_EQ(MaskedArgument("-MSPass:Leak2"), "-MSPass:****");
    EXPECT_EQ(MaskedArgument("/MSPasswd:Leak3"), "/MSPasswd:****");
    EXPECT_EQ(MaskedArgument(" /MSPass:Leak1"), " /MSPass:****");
    EXPECT_EQ(MaskedArgument("/MSUsr:kiosk"), "/MSUsr:kiosk");
    EXPECT_EQ(MaskedArgument("@C:\\kiosk.txt"), "@C:\\kiosk.txt");

    RunRecord record;
    record.arguments = {"/U", "/MSPass:Leak0", "-MSPass:Leak2", "/MSPasswd:Leak3",
                        " /MSPass:Leak1", "/ACUParam:/U /P=Leak0", "/ACUParam:/Q"};
    const std::string text = FormatRunRecord(record, "Default");
    for (const char* leak : {"Leak0", "Leak1", "Leak2", "Leak3"})
        EXPECT_EQ(text.find(leak), std::string::npos) << leak << " in " << text;
    EXPECT_NE(text.find("/ACUParam:/Q"), std::string::npos);
}

TEST(SwitchNotesTest, SayWhatTheCommandLineAskedThatDidNotActAsWritten) {
    const auto notes = [](const std::string& line, bool windows9x) {
        return SwitchNotes(Switches::FromCommandLine("Sentrel.exe " + line), windows9x);
    };
    EXPECT_EQ(notes("/U /MSUsr:a /Mode:1", false), std::vector<std::string>{});
    EXPECT_EQ(notes("/U /NDSUSR:kiosk1 -MSPass:x /Unattended /MSUsr:a /MSUsr:b /MSUsr:c /Mode:1",
                    false),
              (std::vector<std::string>{
                  // The old rule of /U: a slash and a U anywhere in an argument.
                  "\"/NDSUSR:****\" is no switch of Sentrel; it counts as /U",
                  "\"-MSPass:****\" is no switch of Sentrel and was left out",
                  "\"/Unattended\" is no switch of Sentrel; it counts as /U",
                  "/MSUsr: is given more than once; the first counts"}));
    EXPECT_EQ(notes("/U /LockWS /Mode:0", true),
              std::vector<std::string>{"/LockWS cannot act on Windows 9x and was left out"});
    EXPECT_EQ(notes("/U /LockWS /Mode:3", false),
              std::vector<std::string>{"/LockWS cannot act with /Mode:3 and was left out"});
    EXPECT_EQ(notes("/U /LockWS /Mode:0", false), std::vector<std::string>{});
}

TEST_F(ResponseFile, AFileThatCannotBeReadIsRecordedWhenTheCommandLineAsksForALog) {
    platform.files["C:\\kiosk.txt"] = "/U\r\n/Bogus\r\n";
    Start("/Quiet @C:\\kiosk.txt /Log:C:\\s.log");
    EXPECT_EQ(state.ExitCode, kExitFailed);
    EXPECT_EQ(store.Writes(), std::vector<std::string>{});
    const std::string log = platform.files["C:\\s.log"];
    EXPECT_NE(log.find("Switches: /Quiet @C:\\kiosk.txt /Log:C:\\s.log\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("Nothing was changed: Cannot read the response file C:\\kiosk.txt: line 2"),
              std::string::npos) << log;
    EXPECT_NE(log.find("Result: exit code 1"), std::string::npos);
}

}  // namespace
}  // namespace sentrel::test
