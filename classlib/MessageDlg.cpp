#include "classlib/MessageDlg.h"

#include <algorithm>
#include <memory>

#include "classlib/Application.h"
#include "classlib/Button.h"
#include "classlib/Image.h"
#include "classlib/Label.h"

namespace {

struct ButtonKind {
  TMsgDlgBtn Kind;
  const char* Name;
  const char* Caption;
  TModalResult Result;
};

const ButtonKind kButtons[] = {
    {mbYes, "Yes", "&Ja", mrYes},
    {mbNo, "No", "&Nein", mrNo},
    {mbOK, "OK", "OK", mrOk},
    {mbCancel, "Cancel", "Abbrechen", mrCancel},
    {mbAbort, "Abort", "&Abbrechen", mrAbort},
    {mbRetry, "Retry", "&Wiederholen", mrRetry},
    {mbIgnore, "Ignore", "&Ignorieren", mrIgnore},
    {mbAll, "All", "&Alle", mrAll},
    {mbNoToAll, "NoToAll", "N&ein für alle", mrNoToAll},
    {mbYesToAll, "YesToAll", "Ja für &alle", mrYesToAll},
    {mbHelp, "Help", "&Hilfe", mrNone},
};

const char* captionOf(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return "Warnung";
    case mtError: return "Fehler";
    case mtInformation: return "Information";
    case mtConfirmation: return "Bestätigen";
    default: return nullptr;
  }
}

const char* iconOf(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return IDI_EXCLAMATION;
    case mtError: return IDI_HAND;
    case mtInformation: return IDI_ASTERISK;
    case mtConfirmation: return IDI_QUESTION;
    default: return nullptr;
  }
}

}  // namespace

TForm* CreateMessageDialog(const AnsiString& msg, TMsgDlgType type, TMsgDlgButtons buttons) {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetBorderStyle(bsDialog);
  form->SetBorderIcons(biSystemMenu);
  form->SetPosition(poScreenCenter);
  const char* caption = captionOf(type);
  form->SetCaption(caption ? AnsiString(caption) : Application->Title());

  const int margin = 8, spacing = 8, buttonWidth = 75, buttonHeight = 25;
  int textLeft = margin;
  int contentHeight = 0;
  if (const char* icon = iconOf(type)) {
    auto* image = new TImage(form.get());
    image->SetName("Image");
    image->SetParent(form.get());
    image->SetBounds(margin, margin, 32, 32);
    image->Picture().SetSize(32, 32);
    TCanvas& c = image->Picture().Canvas();
    RECT all{0, 0, 32, 32};
    FillRect(c.Handle(), &all, GetSysColorBrush(COLOR_BTNFACE));
    DrawIcon(c.Handle(), 0, 0, LoadIconA(nullptr, icon));
    textLeft = margin + 32 + 2 * spacing;
    contentHeight = 32;
  }

  auto* label = new TLabel(form.get());
  label->SetName("Message");
  label->SetParent(form.get());
  label->SetBounds(textLeft, margin, 0, 0);
  label->SetText(msg);
  contentHeight = std::max(contentHeight, label->Height());

  std::vector<TButton*> made;
  for (const ButtonKind& k : kButtons) {
    if (!(buttons & k.Kind)) continue;
    auto* b = new TButton(form.get());
    b->SetName(k.Name);
    b->SetParent(form.get());
    b->SetText(k.Caption);
    b->SetModalResult(k.Result);
    made.push_back(b);
  }
  // Default: OK, else Yes, else the first; cancel: Cancel, else No, else OK.
  auto find = [&](TMsgDlgBtn kind) -> TButton* {
    for (size_t i = 0, j = 0; i < std::size(kButtons); ++i) {
      if (!(buttons & kButtons[i].Kind)) continue;
      if (kButtons[i].Kind == kind) return made[j];
      ++j;
    }
    return nullptr;
  };
  TButton* def = find(mbOK) ? find(mbOK) : find(mbYes) ? find(mbYes)
                                                       : (made.empty() ? nullptr : made[0]);
  TButton* cancel = find(mbCancel) ? find(mbCancel) : find(mbNo) ? find(mbNo) : find(mbOK);
  if (def) def->SetDefault(true);
  if (cancel) cancel->SetCancel(true);

  int buttonsWidth = static_cast<int>(made.size()) * (buttonWidth + spacing) - spacing;
  int width = std::max(textLeft + label->Width(), buttonsWidth) + 2 * margin;
  width = std::max(width, 200);
  int top = margin + contentHeight + 2 * spacing;
  int x = (width - buttonsWidth) / 2;
  for (TButton* b : made) {
    b->SetBounds(x, top, buttonWidth, buttonHeight);
    x += buttonWidth + spacing;
  }
  form->SetClientSize(width, top + buttonHeight + margin);
  if (def) form->SetActiveControl(def);
  return form.release();
}

TModalResult MessageDlg(const AnsiString& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                        int helpContext) {
  std::unique_ptr<TForm> form(CreateMessageDialog(msg, type, buttons));
  return form->ShowModal();
}
