// Modal dialogs built from a dialog template in the executable's resources.
//
// DoModal creates the dialog, disables its owner and runs a modal loop of
// its own (keyboard navigation through IsDialogMessage). The dialog is shown
// normally the first time the queue is empty, unless it is visible already,
// so a dialog that maximised itself while it initialised stays maximised.
// End it with the EndDialog member (from a test: CDialog::FromHandle(h)).
//
// The dialog procedure takes the object from the WM_INITDIALOG parameter and
// keeps it in the dialog's own user data (DWLP_USER); every later message is
// looked up in the object's message map (message_map.h). Messages no entry
// handles get the dialog manager's default processing. Nothing thrown ever
// leaves the dialog procedure.
//
// Commands that the dialog's own chain does not handle (menu commands and
// accelerators) are offered to the application object's map, which is how
// ID_HELP reaches CWinApp::OnHelp. F1 (WM_HELP) in any dialog becomes the
// command ID_HELP sent to the main window.
#pragma once

#include <windows.h>

#include "framework/cstring.h"
#include "framework/wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, bool saveAndValidate)
        : Dialog(dialog), SaveAndValidate(saveAndValidate) {}

    CWnd* Dialog;
    bool SaveAndValidate;  // false: members to controls (loading); true: controls to members
    int LastControl = 0;   // the control of the last DDX_Text, for the DDV_ that follows
    bool Failed = false;   // a validation failed (saving direction only)
};

// Attaches control to the dialog's child id.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// Loading: sets the control's text to value; saving: reads the text into value.
void DDX_Text(CDataExchange* dx, int id, CString& value);
// Loading: limits the last exchanged edit control to maxChars (EM_LIMITTEXT);
// saving: fails with a message box when value is longer.
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr)
        : TemplateId(templateId), Parent(parent) {}
    ~CDialog() override = default;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog modally; the EndDialog result, or -1 when the dialog
    // could not be created. Without a parent the dialog is owned by the
    // application's main window (when it has one and is not this dialog).
    virtual INT_PTR DoModal();
    // Ends the modal run with result once the current message is handled.
    void EndDialog(int result) const;

    UINT GetTemplateId() const { return TemplateId; }
    CWnd* GetParent() const { return Parent; }

    // Runs the data exchange; false when a validation failed.
    bool UpdateData(bool saveAndValidate = true);

    // The object of one of our dialogs, or nullptr for any other window.
    static CDialog* FromHandle(HWND window);

    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
    static const MessageMap* ThisMessageMap();

    // The base's handlers; the map sends IDOK to OnOK and IDCANCEL to OnCancel.
    virtual void OnOK();      // saving data exchange, then EndDialog(IDOK)
    virtual void OnCancel();  // EndDialog(IDCANCEL)

protected:
    virtual void DoDataExchange(CDataExchange* dx);
    // Runs the loading data exchange; TRUE lets the dialog manager set the focus.
    virtual BOOL OnInitDialog();

    // One message for this dialog: TRUE when handled, the result in DWLP_MSGRESULT.
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The dialog manager's processing (DefDlgProc) without entering our map again.
    LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void CentreOnOwner() const;
    void RunModalLoop(HWND owner);

    mutable bool Ending = false;
    mutable INT_PTR Result = -1;

    UINT TemplateId;
    CWnd* Parent;
    // While Default() runs: DefDlgProc's call of our procedure for this message steps aside.
    bool PassPending = false;
    UINT PassMessage = 0;
};
