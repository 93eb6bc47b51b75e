// The window and the FormState: the fields and boxes read into the state before a handler
// runs, the state shown in them after it.
#include "ui/TForm1.h"

#include "ui/ControlIds.h"
#include "ui/FormLayout.h"

namespace sentrel {

using namespace ids;

namespace {

const int kDirectoryFields[] = {lblTree, edtTree, lblContext, edtContext, lblUsr, EdtUsr,
                                lblNDSPass, edtNDSPass, lblServer, edtServer, cbShowResult,
                                cbRunLoginScript};
// The lock box goes with the Windows group: Windows 9x, where the group is hidden, cannot lock.
const int kWindowsGroup[] = {LblMS, BvlMS, lblMSUsr, edtMSUsr, lblMSDom, EdtMSDom, lblMSPass,
                             EdtMSPass, cbLockWkstn};

// The settings page's fields and boxes and the settings they show, read and shown alike.
const std::pair<int, std::string LogonSettings::*> kSettingTexts[] = {
    {edtTree, &LogonSettings::NdsTree},     {edtContext, &LogonSettings::NdsContext},
    {EdtUsr, &LogonSettings::NdsUser},      {edtNDSPass, &LogonSettings::NdsPassword},
    {edtServer, &LogonSettings::NdsServer}, {EdtMSDom, &LogonSettings::MsDomain},
    {edtMSUsr, &LogonSettings::MsUser},     {EdtMSPass, &LogonSettings::MsPassword}};
const std::pair<int, bool LogonSettings::*> kSettingChecks[] = {
    {cbShowResult, &LogonSettings::ShowResult},
    {cbRunLoginScript, &LogonSettings::RunScript},
    {cbLockWkstn, &LogonSettings::LockWorkstation}};

}  // namespace

HWND TForm1::Control(int id) const {
    const ControlSpec* layout = ControlSpecOf(id);
    return layout ? GetDlgItem(pages_[layout->page], id) : nullptr;
}

void TForm1::SetText(int id, const std::string& text) {
    if (Text(id) != text) SetWindowTextA(Control(id), text.c_str());
}

std::string TForm1::Text(int id) const { return WindowText(Control(id)); }

std::string TForm1::WindowText(HWND control) {
    int length = GetWindowTextLengthA(control);
    std::string text(length + 1, '\0');
    int copied = GetWindowTextA(control, &text[0], length + 1);
    text.resize(copied > 0 ? copied : 0);
    return text;
}

bool TForm1::Checked(int id) const {
    return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TForm1::Check(int id, bool checked) {
    SendMessageA(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TForm1::Pull() {
    FormState& form = form_;
    for (const auto& [id, text] : kSettingTexts) form.settings.*text = Text(id);
    for (const auto& [id, flag] : kSettingChecks) form.settings.*flag = Checked(id);
    form.cboxAgree = Checked(cboxAgree);
    form.modeIndex = static_cast<int>(SendMessageA(Control(combMode), CB_GETCURSEL, 0, 0));
}

void TForm1::Push() {
    pushing_ = true;
    PushControls();
    pushing_ = false;
}

void TForm1::PushControls() {
    const FormState& form = form_;
    if (WindowText(window_) != form.caption) SetWindowTextA(window_, form.caption.c_str());
    for (const auto& [id, text] : kSettingTexts) SetText(id, form.settings.*text);
    SetText(edWinVer, form.edWinVer);
    SetText(edCliVer, form.edCliVer);
    for (const auto& [id, flag] : kSettingChecks) Check(id, form.settings.*flag);
    Check(cboxAgree, form.cboxAgree);
    EnableWindow(Control(EdtUsr), form.EdtUsrEnabled);
    EnableWindow(Control(edtNDSPass), form.edtNDSPassEnabled);
    EnableWindow(Control(EdtMSPass), form.EdtMSPassEnabled);
    EnableWindow(Control(cbLockWkstn), form.cbLockWkstnEnabled);
    EnableWindow(Control(btnNext), form.btnNextEnabled);
    for (int id : kDirectoryFields)
        ShowWindow(Control(id), form.directoryFieldsVisible ? SW_SHOW : SW_HIDE);
    for (int id : kWindowsGroup)
        ShowWindow(Control(id), form.windowsGroupVisible ? SW_SHOW : SW_HIDE);
    ShowWindow(Control(lblNoNovCli), form.noClientWarningVisible ? SW_SHOW : SW_HIDE);

    HWND combo = Control(combMode);
    if (shownModeEntries_ != form.modeEntries) {
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        for (const std::string& entry : form.modeEntries)
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        shownModeEntries_ = form.modeEntries;
    }
    if (SendMessageA(combo, CB_GETCURSEL, 0, 0) != form.modeIndex)
        SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(form.modeIndex), 0);
    UpdateTabs();
}

}  // namespace sentrel
