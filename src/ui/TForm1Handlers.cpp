// The handlers, named after control and event, and the one filter that lets only what the
// user did reach them.
#include "ui/TForm1.h"

#include "ui/CommandLineBuilder.h"
#include "ui/ControlIds.h"
#include "ui/FormActions.h"
#include "ui/ModeSelection.h"
#include "ui/PageTexts.h"

namespace sentrel {

using namespace ids;

// A combo box's selection, the icon's click and a button's click: notifications that showing
// the state causes (an edit's EN_CHANGE) and the rest are left alone.
bool TForm1::IsUserCommand(int id, int code) {
    if (id == combMode) return code == CBN_SELCHANGE;
    if (id == MailMe) return code == STN_CLICKED;
    return code == BN_CLICKED;
}

void TForm1::cboxAgreeClick() {
    FormState& form = form_;
    form.btnNextEnabled = form.cboxAgree;
    form.settingsTabsVisible = form.cboxAgree;
}

void TForm1::btnNextClick() {
    form_.settingsTabsVisible = true;
    ShowPage(page_ + 1);
}

void TForm1::NextPageClick() { ShowPage(page_ + 1); }

void TForm1::PreviousPageClick() { ShowPage(page_ - 1); }

void TForm1::ExitClick() { DestroyWindow(window_); }

void TForm1::FormClose() {
    std::string question = std::string("Do you want to exit ") + kApplicationTitle + "?";
    if (platform_.ShowMessageBox(question, kApplicationTitle, kMbYesNo | kMbIconQuestion) ==
        kIdYes)
        DestroyWindow(window_);
}

void TForm1::MailMeClick() { platform_.OpenLink(kMailLink); }

// Pull has read the selection into modeIndex.
void TForm1::combModeChange() { ModeSelected(form_, context_.state); }

void TForm1::BtnEnableClick() {
    LogonContext context = context_;
    EnableClicked(context, form_);
}

void TForm1::btnDisableClick() {
    LogonContext context = context_;
    DisableClicked(context, form_);
}

void TForm1::btnClipBoardClick() {
    LogonContext context = context_;
    CopyCommandLineToClipboard(context, form_);
}

// IsUserCommand has let only the user's own notification through: the id alone tells the
// handler.
void TForm1::Command(int id) {
    switch (id) {
        case combMode: combModeChange(); break;
        case MailMe: MailMeClick(); break;
        case cboxAgree: cboxAgreeClick(); break;
        case btnNext: btnNextClick(); break;
        case Button2:
        case Button5: NextPageClick(); break;
        case btnBack:
        case Button1:
        case Button3:
        case Button4: PreviousPageClick(); break;
        case btnExit:
        case btnExit2: ExitClick(); break;
        case BtnEnable: BtnEnableClick(); break;
        case btnDisable: btnDisableClick(); break;
        case btnClipBoard: btnClipBoardClick(); break;
        // Escape, which the message loop's IsDialogMessage turns into IDCANCEL, asks the close
        // question as the close box does.
        case IDCANCEL: FormClose(); break;
        default: break;
    }
}

}  // namespace sentrel
