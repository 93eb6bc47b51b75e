// The window and the command line are two doors to the same settings: Enable from the window,
// and the line "Copy to Clipboard" gives for the same window run with /U, leave the same
// registry, from the same starting registry, on every road and in every mode.
#include "E2eFixture.h"

namespace sentrel::e2e {
namespace {

using namespace test;
using namespace test::keys;
using namespace ids;

struct Road {
    const char* name;
    const char* windowsVersion;
    bool client;
};

class Equivalence : public E2e {
protected:
    void Start(const Road& road) {
        TearDown();
        SetUp();
        if (!road.client) return BuildWithoutClient();
        BuildWithClient();
        if (std::string(road.windowsVersion) == "win98") InstallClient9x();
    }

    // Fills the settings page, copies the line, enables; gives the line's switches.
    std::string EnableFromTheWindow(const Road& road, int mode, bool boxes) {
        SentrelRun run("", road.windowsVersion);
        EXPECT_NE(run.WaitForMainWindow(), nullptr);
        run.Click(cboxAgree);
        run.Click(btnNext);
        const std::pair<int, const char*> fields[] = {
            {edtTree, "ACME_TREE"}, {edtContext, "ou=Kiosk.o=Acme"}, {EdtUsr, "kiosk1"},
            {edtNDSPass, "nds pw"}, {edtServer, "SRV1"},            {EdtMSDom, "R&D"},
            {edtMSUsr, "kiosk"},    {EdtMSPass, "ms(pw)"},
        };
        for (const auto& [id, text] : fields) run.SetText(id, text);
        if (road.client) run.SelectMode(mode);
        for (int box : {cbShowResult, cbRunLoginScript, cbLockWkstn})
            if (run.Visible(box) &&
                (SendMessageA(run.ControlOf(box), BM_GETCHECK, 0, 0) == BST_CHECKED) != boxes)
                run.Click(box);
        PutOnClipboard("");
        run.Click(btnClipBoard);
        EXPECT_TRUE(run.AnswerMessageBox(IDOK));
        EXPECT_TRUE(run.AnswerMessageBox(IDOK));
        run.Click(BtnEnable);
        MessageBoxSeen seen;
        EXPECT_TRUE(run.AnswerMessageBox(IDOK, &seen));
        EXPECT_EQ(seen.text, "Auto Login has been enabled");
        run.Click(btnExit2);
        EXPECT_EQ(run.FinishAnsweringOk(), 0);
        const std::string line = ClipboardText();
        const std::string path = SentrelPath();
        const std::string quoted = path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
        EXPECT_EQ(line.substr(0, quoted.size() + 1), quoted + " ");
        return line.substr(quoted.size() + 1);
    }
};

TEST_P(Equivalence, TheWindowAndItsCopiedLineLeaveTheSameRegistry) {
    const Road roads[] = {
        {"XP with the client", "winxp", true},
        {"XP without the client", "winxp", false},
        {"98 with the client", "win98", true},
    };
    for (const Road& road : roads) {
        // Every mode with the three boxes ticked, and the first mode with none. Without the
        // client the list holds one entry.
        std::vector<std::pair<int, bool>> cases = {{0, true}, {0, false}};
        if (road.client) cases.insert(cases.begin() + 1, {{1, true}, {2, true}, {3, true}});
        for (const auto& [mode, boxes] : cases) {
            SCOPED_TRACE(std::string(road.name) + ", mode entry " + std::to_string(mode) +
                         (boxes ? ", boxes ticked" : ", boxes unticked"));
            Start(road);
            const std::string switches = EnableFromTheWindow(road, mode, boxes);
            const auto byWindow = Snapshot();
            Start(road);
            SentrelRun unattended(switches, road.windowsVersion);
            EXPECT_EQ(unattended.FinishAnsweringOk(), 0) << switches;
            EXPECT_EQ(unattended.MessageTexts(), std::vector<std::string>{}) << switches;
            EXPECT_EQ(Snapshot(), byWindow) << switches;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Wine, Equivalence, ::testing::ValuesIn(WineRegistryOnly()),
                         test::StoreName);

}  // namespace
}  // namespace sentrel::e2e
