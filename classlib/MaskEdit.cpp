#include "classlib/MaskEdit.h"

#include <algorithm>
#include <cstring>

TCustomMaskEdit::TCustomMaskEdit(TComponent* owner) : TCustomEdit(owner) {}

void TCustomMaskEdit::SetEditMask(const AnsiString& mask) {
  FMask = mask;
  FRules = TEditMask(mask);
  FValue = FRules.EmptyValue();
  if (IsMasked() && FMaxLength != Size()) SetMaxLength(Size());
  Show(0);
}

AnsiString TCustomMaskEdit::EditText() const {
  if (!IsMasked()) return TCustomEdit::Text();
  return FRules.EditText(FValue);
}

AnsiString TCustomMaskEdit::Text() const {
  if (!IsMasked()) return TCustomEdit::Text();
  return FRules.Text(FValue);
}

void TCustomMaskEdit::SetEditText(const AnsiString& text) {
  if (!IsMasked()) {
    TCustomEdit::SetText(text);
    return;
  }
  FValue = FRules.ValueFromEditText(text);
  Show(0);
}

void TCustomMaskEdit::SetText(const AnsiString& text) {
  if (!IsMasked()) {
    TCustomEdit::SetText(text);
    return;
  }
  FValue = FRules.ValueFromText(text);
  Show(0);
}

void TCustomMaskEdit::Show(int caret) {
  if (!IsMasked()) return;
  FText = EditText();
  if (!FHandle) return;
  SetWindowTextA(FHandle, FText.c_str());
  SendMessageA(FHandle, EM_SETSEL, caret, caret);
}

void TCustomMaskEdit::TypeChar(char c) {
  int start = SelStart();
  int length = SelLength();
  int p = FRules.NextEditable(start);
  if (p >= Size() || !FRules.Accept(p, c)) {
    MessageBeep(0);
    return;
  }
  if (length > 0) ClearRange(start, start + length);
  FValue[p] = c;
  int next = FRules.NextEditable(p + 1);
  Show(next < Size() ? next : p + 1);
}

void TCustomMaskEdit::ClearRange(int start, int end) {
  for (int p = start; p < end && p < Size(); ++p)
    if (FRules.IsEditable(p)) FValue[p] = ' ';
}

void TCustomMaskEdit::Paste() {
  if (!OpenClipboard(FHandle)) return;
  AnsiString text;
  if (HANDLE h = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(h))) {
      text = AnsiString(p, strnlen(p, GlobalSize(h)));
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  for (char c : text) {
    int p = FRules.NextEditable(SelStart());
    char probe = c;
    if (p < Size() && FRules.Accept(p, probe)) TypeChar(c);
  }
}

LRESULT TCustomMaskEdit::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (IsMasked()) {
    switch (msg) {
      case WM_CHAR: {
        char c = static_cast<char>(w);
        if (FReadOnly) return 0;
        if (c == '\b') {
          int start = SelStart(), length = SelLength();
          if (length > 0) {
            ClearRange(start, start + length);
            Show(start);
          } else {
            int p = FRules.PreviousEditable(start);
            if (p < 0) return 0;
            FValue[p] = ' ';
            Show(p);
          }
          return 0;
        }
        if (static_cast<unsigned char>(c) < 32) break;  // Tab, Enter, Ctrl keys
        TypeChar(c);
        return 0;
      }
      case WM_KEYDOWN:
        if (w == VK_DELETE && !FReadOnly) {
          int start = SelStart(), length = SelLength();
          ClearRange(start, start + (length > 0 ? length : 1));
          Show(start);
          return 0;
        }
        break;
      case WM_PASTE:
        if (!FReadOnly) Paste();
        return 0;
      case WM_CUT:
      case WM_CLEAR:
        if (!FReadOnly) {
          if (msg == WM_CUT) DefaultHandler(WM_COPY, 0, 0);
          int start = SelStart(), length = SelLength();
          ClearRange(start, start + length);
          Show(start);
        }
        return 0;
      default:
        break;
    }
  }
  return TCustomEdit::WndProc(msg, w, l);
}
