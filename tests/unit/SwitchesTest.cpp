// Splitting the command line and looking up switches, with literal command lines.
#include "switches/SwitchTable.h"
#include "switches/Switches.h"

#include <gtest/gtest.h>

namespace sentrel {
namespace {

using Args = std::vector<std::string>;

std::optional<std::string> Value(const std::string& line, const std::string& name,
                                 bool ignoreCase) {
    return Switches::FromCommandLine(line).GetSwitch(name, ignoreCase);
}

TEST(SplitCommandLine, BlanksAndControlCharactersOutsideQuotesSeparate) {
    EXPECT_EQ(SplitCommandLine("Sentrel.exe  /U\t/Mode:0\x01/x"),
              (Args{"Sentrel.exe", "/U", "/Mode:0", "/x"}));
    EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\Sentrel.exe\" \"/ACUParam:/U /Q\" a\"b c\"d"),
              (Args{"C:\\Program Files\\Sentrel.exe", "/ACUParam:/U /Q", "ab cd"}));
    EXPECT_EQ(SplitCommandLine(""), Args{});
    EXPECT_EQ(SplitCommandLine("   "), Args{});
    EXPECT_EQ(SplitCommandLine("p \"\""), (Args{"p", ""}));
    EXPECT_EQ(SplitCommandLine("p \"unbalanced quote"), (Args{"p", "unbalanced quote"}));
    EXPECT_EQ(SplitCommandLine("p /NDSPass:p\xE4\xDF"), (Args{"p", "/NDSPass:p\xE4\xDF"}));
}

TEST(SplitCommandLine, HugeLinesAreKeptByteForByte) {
    std::string value(100000, 'x');
    value[5000] = '\xFF';
    Args args = SplitCommandLine("p \"/ACUParam:" + value + "\"");
    ASSERT_EQ(args.size(), 2u);
    EXPECT_EQ(args[1], "/ACUParam:" + value);
}

TEST(GetSwitch, ValuesFollowTheNameAndKeepTheirLetterCase) {
    EXPECT_EQ(Value("p /NDSTree:Tree1", "NDSTree:", false), "Tree1");
    EXPECT_EQ(Value("p /MSUSR:Admin", "MSUsr:", true), "Admin");
    EXPECT_EQ(Value("p /msdom:Office", "MSDom:", true), "Office");
    EXPECT_EQ(Value("p \"/NDSCx:OU=Sales Dept.O=Acme\"", "NDSCx:", false), "OU=Sales Dept.O=Acme");
    EXPECT_EQ(Value("p /MSPass: /x", "MSPass:", true), "");  // present and empty
    EXPECT_EQ(Value("p /MSPass:error", "MSPass:", true), "error");
    EXPECT_EQ(Value("p /MSPass:a/MSPass:b", "MSPass:", true), "a/MSPass:b");
}

TEST(GetSwitch, NdsNamesNeedTheirExactLetterCase) {
    EXPECT_EQ(Value("p /ndstree:Tree1", "NDSTree:", false), std::nullopt);
    EXPECT_EQ(Value("p /NDSTREE:Tree1", "NDSTree:", false), std::nullopt);
}

TEST(GetSwitch, ASwitchMustStartItsArgument) {
    EXPECT_EQ(Value("p x/NDSTree:abc", "NDSTree:", false), std::nullopt);
    EXPECT_EQ(Value("p NDSTree:a/b", "NDSTree:", false), std::nullopt);
    EXPECT_EQ(Value("p NDSTree:abc", "NDSTree:", false), std::nullopt);
    // A switch's name inside another switch's value feeds nothing.
    EXPECT_EQ(Value("p \"/ACUParam:/MSPass:x\"", "MSPass:", true), std::nullopt);
}

TEST(GetSwitch, TheFirstArgumentWinsAndArgumentZeroIsNeverSearched) {
    EXPECT_EQ(Value("p /NDSUsr:first /NDSUsr:second", "NDSUsr:", false), "first");
    EXPECT_EQ(Value("/NDSUsr:program /x", "NDSUsr:", false), std::nullopt);
    EXPECT_EQ(Value("", "NDSUsr:", false), std::nullopt);
}

TEST(GetSwitch, TellsAnAbsentSwitchFromAnEmptyValue) {
    Switches switches = Switches::FromCommandLine("p /acu:setup.exe /ACUParam:");
    EXPECT_EQ(switches.GetSwitch("ACU:", true), "setup.exe");
    EXPECT_EQ(switches.GetSwitch("ACUParam:", true), "");
    EXPECT_EQ(switches.GetSwitch("NDSTree:", false), std::nullopt);
}

TEST(Flags, ChangingFlagsMustBeWholeArguments) {
    Switches s = Switches::FromCommandLine(
        "p /NDSTree:DISABLED /MSPass:Lockws7 /NDSCx:RunScript /x/ShowResult /AutoWSName:x");
    EXPECT_FALSE(ParseCommandLine(s).disable);
    EXPECT_FALSE(s.HasFlag("LockWS"));
    EXPECT_FALSE(s.HasFlag("RunScript"));
    EXPECT_FALSE(s.HasFlag("ShowResult"));
    EXPECT_FALSE(s.HasFlag("AutoWSName"));

    Switches on = Switches::FromCommandLine("p /lockws /RUNSCRIPT /ShowResult /autowsname");
    EXPECT_TRUE(on.HasFlag("LockWS"));
    EXPECT_TRUE(on.HasFlag("RunScript"));
    EXPECT_TRUE(on.HasFlag("ShowResult"));
    EXPECT_TRUE(on.HasFlag("AutoWSName"));
}

TEST(Flags, DisableAlsoTakesAColonAndAnything) {
    auto disable = [](const char* line) {
        return ParseCommandLine(Switches::FromCommandLine(line)).disable;
    };
    EXPECT_TRUE(disable("p /Disable"));
    EXPECT_TRUE(disable("p /disable:1"));
    EXPECT_TRUE(disable("p /DISABLE:"));
    EXPECT_FALSE(disable("p /Disabled"));
    EXPECT_FALSE(disable("p"));
}

TEST(Flags, UAndQuestionMarkKeepTheLooseRule) {
    // Login scripts that leave /U out have always run unattended through these.
    EXPECT_TRUE(Switches::FromCommandLine("p /NDSUsr:Jones").HasLooseFlag("U"));
    EXPECT_TRUE(Switches::FromCommandLine("p /RunScript").HasLooseFlag("U"));
    EXPECT_TRUE(Switches::FromCommandLine("p /u").HasLooseFlag("U"));
    EXPECT_FALSE(Switches::FromCommandLine("p /Mode:0 /Disable").HasLooseFlag("U"));
    EXPECT_FALSE(Switches::FromCommandLine("p User").HasLooseFlag("U"));
    EXPECT_TRUE(Switches::FromCommandLine("p /?").HasLooseFlag("?"));
    EXPECT_TRUE(Switches::FromCommandLine("p a?/").HasLooseFlag("?"));
    EXPECT_FALSE(Switches::FromCommandLine("p ?").HasLooseFlag("?"));
}

TEST(UpperAscii, ChangesOnlyTheLettersAToZ) {
    EXPECT_EQ(UpperAscii("ab\xE4z:09"), "AB\xE4Z:09");
}

// One parse fills every field the table names; a row is found by the field it fills.
TEST(SwitchTable, OneParseFillsTheRunsOptionsAndTheSettings) {
    const CommandLine line = ParseCommandLine(Switches::FromCommandLine(
        "p /U /? \"/ACU:Z:\\setup.exe\" /ACUParam:/Q /NDSUsr:n /AutoWSName /Disable:x /QUIET "
        "/Log:C:\\s.log /WhatIf /check /Mode:2 /Mode:3 /RunScript"));
    EXPECT_TRUE(line.unattended && line.help && line.workstationName && line.disable &&
                line.quiet && line.whatIf && line.check && line.settings.RunScript);
    EXPECT_EQ(line.installer, "Z:\\setup.exe");
    EXPECT_EQ(line.installerParameters, "/Q");
    EXPECT_EQ(line.log, "C:\\s.log");
    EXPECT_EQ(line.mode, "2");  // the first counts
    EXPECT_EQ(line.settings.NdsUser, "n");
    const CommandLine none = ParseCommandLine(Switches::FromCommandLine("p /Nothing:x /Mode"));
    EXPECT_FALSE(none.Recorded() || none.disable || none.unattended);
    EXPECT_EQ(none.mode, std::nullopt);
    EXPECT_EQ(std::string(SwitchOf(&CommandLine::installerParameters).name), "ACUParam:");
}

}  // namespace
}  // namespace sentrel
