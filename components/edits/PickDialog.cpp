#include "components/edits/PickDialog.h"

TSelectForm::TSelectForm(TComponent* owner, TPickDialog* dialog)
    : TForm(owner), FDialog(dialog) {
  SetName("SelectForm");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientSize(272, 243);

  title = new TLabel(this);
  title->SetName("title");
  title->SetParent(this);
  title->SetBounds(8, 8, 0, 0);

  SelectList = new TListBox(this);
  SelectList->SetName("SelectList");
  SelectList->SetParent(this);
  SelectList->SetBounds(8, 24, 177, 209);
  SelectList->SetItemHeight(13);
  SelectList->OnClick = [this](TObject*) {
    int i = SelectList->ItemIndex();
    if (FDialog->OnClickItem && i >= 0)
      FDialog->OnClickItem(FDialog->Owner(), i, SelectList->Items().Strings(i));
  };
  SelectList->OnDblClick = [this](TObject*) {
    int i = SelectList->ItemIndex();
    if (AcceptDblClick) SetModalResult(mrOk);
    if (FDialog->OnDblClickItem && i >= 0)
      FDialog->OnDblClickItem(FDialog->Owner(), i, SelectList->Items().Strings(i));
  };

  okbtn = new TButton(this);
  okbtn->SetName("okbtn");
  okbtn->SetParent(this);
  okbtn->SetBounds(192, 208, 75, 25);
  okbtn->SetDefault(true);
  okbtn->SetModalResult(mrOk);

  cancelbtn = new TButton(this);
  cancelbtn->SetName("cancelbtn");
  cancelbtn->SetParent(this);
  cancelbtn->SetBounds(192, 176, 75, 25);
  cancelbtn->SetCancel(true);
  cancelbtn->SetModalResult(mrCancel);
}

void TSelectForm::Arrange() {
  int w = ClientWidth(), h = ClientHeight();
  int top = SelectList->Top();
  int bw = okbtn->Width(), bh = okbtn->Height();
  switch (ButtonPosition) {
    case bpBottom:
      SelectList->SetBounds(SelectList->Left(), top, w - 16, h - top - 16 - bh);
      cancelbtn->SetBounds(w - cancelbtn->Width() - 8, h - cancelbtn->Height() - 8,
                           cancelbtn->Width(), cancelbtn->Height());
      okbtn->SetBounds(w - 2 * bw - 16, h - 8 - bh, bw, bh);
      break;
    case bpRight:
      SelectList->SetBounds(SelectList->Left(), top, w - bw - 24, h - top - 8);
      cancelbtn->SetBounds(w - bw - 8, h - 2 * bh - 16, cancelbtn->Width(), cancelbtn->Height());
      okbtn->SetBounds(w - bw - 8, h - 8 - bh, bw, bh);
      break;
    case bpNone:
      SelectList->SetBounds(SelectList->Left(), top, w - 16, h - top - 16);
      okbtn->Hide();
      cancelbtn->Hide();
      break;
  }
}

LRESULT TSelectForm::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_GETMINMAXINFO: {
      auto* mm = reinterpret_cast<MINMAXINFO*>(l);
      if (MinWidth > 0) mm->ptMinTrackSize.x = MinWidth;
      if (MinHeight > 0) mm->ptMinTrackSize.y = MinHeight;
      return 0;
    }
    case WM_SIZE: {
      LRESULT r = TForm::WndProc(msg, w, l);
      if (Grip) {
        Arrange();
        InvalidateRect(FHandle, nullptr, TRUE);
      }
      return r;
    }
    case WM_PAINT:
      if (Grip) {
        LRESULT r = TForm::WndProc(msg, w, l);
        HDC dc = GetDC(FHandle);
        RECT c;
        GetClientRect(FHandle, &c);
        RECT g{c.right - GetSystemMetrics(SM_CXVSCROLL), c.bottom - GetSystemMetrics(SM_CYHSCROLL),
               c.right, c.bottom};
        DrawFrameControl(dc, &g, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        ReleaseDC(FHandle, dc);
        return r;
      }
      break;
    case WM_NCHITTEST: {
      LRESULT r = TForm::WndProc(msg, w, l);
      if (Grip && r == HTCLIENT) {
        POINT p{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
        ScreenToClient(FHandle, &p);
        RECT c;
        GetClientRect(FHandle, &c);
        if (p.x >= c.right - GetSystemMetrics(SM_CXVSCROLL) &&
            p.y >= c.bottom - GetSystemMetrics(SM_CYHSCROLL))
          return HTBOTTOMRIGHT;
      }
      return r;
    }
    default:
      break;
  }
  return TForm::WndProc(msg, w, l);
}

TPickDialog::TPickDialog(TComponent* owner) : TComponent(owner) {}

TPickDialog::~TPickDialog() { Hide(); }

void TPickDialog::CreateSelect() {
  if (FForm) return;
  FForm = new TSelectForm(nullptr, this);
  TSelectForm* f = FForm;
  if (Sizeable && ToolWindow)
    f->SetBorderStyle(bsSizeToolWin);
  else if (ToolWindow)
    f->SetBorderStyle(bsToolWindow);
  else if (Sizeable)
    f->SetBorderStyle(bsSizeable);
  else
    f->SetBorderStyle(bsSingle);
  f->SetBorderIcons(biSystemMenu);
  f->SetBounds(f->Left(), f->Top(), FWidth, FHeight);
  f->MinWidth = FWidth;
  f->MinHeight = FHeight;
  f->ButtonPosition = ButtonPosition;
  f->AcceptDblClick = AcceptDblClick;
  f->Grip = Sizeable;  // the grip only where the border can be dragged
  switch (DialogPosition) {
    case fposCenter:
      f->SetPosition(poScreenCenter);
      break;
    case fposAbsolute:
      f->SetPosition(poDesigned);
      f->SetBounds(LeftPosition, TopPosition, FWidth, FHeight);
      break;
    case fposDefault:
      f->SetPosition(poDefault);
      break;
  }
  f->SelectList->SetMultiSelect(MultiSel);
  f->SelectList->SetSorted(Sort);
  f->SelectList->Items().Assign(FPickItems);
  f->SetCaption(Caption);
  f->okbtn->SetCaption(OkCaption);
  f->cancelbtn->SetCaption(CancelCaption);
  f->title->SetCaption(Title);
  if (f->SelectList->Items().Count() > 0) f->SelectList->SetItemIndex(ItemIndex != -1 ? ItemIndex : 0);
  if (!ShowTitle) {
    f->title->Hide();
    int dy = f->title->Height() + 4;
    f->SelectList->SetBounds(8, f->SelectList->Top() - dy, f->SelectList->Width(),
                             f->SelectList->Height() + dy);
  }
  f->Arrange();
  f->SetActiveControl(f->SelectList);
}

int TPickDialog::Execute() {
  CreateSelect();
  int result = FForm->ShowModal();
  ItemIndex = FForm->SelectList->ItemIndex();
  if (ItemIndex >= 0 && result == mrOk) {
    SelectedString = FForm->SelectList->Items().Strings(ItemIndex);
    SelectedData = static_cast<intptr_t>(
        SendMessageA(FForm->SelectList->Handle(), LB_GETITEMDATA, ItemIndex, 0));
  }
  if (MultiSel && FForm->SelectList->Items().Count() > 0 && result == mrOk) {
    FSelectedItems.Clear();
    TControlStrings& items = FForm->SelectList->Items();
    for (int i = 0; i < items.Count(); ++i)
      if (FForm->SelectList->Selected(i)) FSelectedItems.AddObject(items.Strings(i), items.Objects(i));
  }
  Hide();
  return result;
}

void TPickDialog::Show() {
  CreateSelect();
  SetWindowPos(FForm->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  FForm->Show();
}

void TPickDialog::Hide() {
  delete FForm;
  FForm = nullptr;
}
