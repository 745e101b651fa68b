#pragma once
// Message dialogs: a form with an icon, the message and buttons with German
// captions, run modally.
#include "classlib/Form.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : unsigned {
  mbYes = 1 << 0, mbNo = 1 << 1, mbOK = 1 << 2, mbCancel = 1 << 3, mbAbort = 1 << 4,
  mbRetry = 1 << 5, mbIgnore = 1 << 6, mbAll = 1 << 7, mbNoToAll = 1 << 8,
  mbYesToAll = 1 << 9, mbHelp = 1 << 10
};
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;
constexpr TMsgDlgButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

// The dialog, not shown: a label "Message", an image "Image" and one button
// per kind, named "Yes", "No", "OK", "Cancel", "Abort", "Retry", "Ignore",
// "All", "NoToAll", "YesToAll", "Help". The caller frees it.
TForm* CreateMessageDialog(const AnsiString& msg, TMsgDlgType type, TMsgDlgButtons buttons);
// Shows the dialog modally and returns its modal result.
TModalResult MessageDlg(const AnsiString& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                        int helpContext);
