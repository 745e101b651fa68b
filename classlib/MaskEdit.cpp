#include "classlib/MaskEdit.h"

#include <algorithm>
#include <cstring>

TMaskEdit::TMaskEdit(TComponent* owner) : TCustomEdit(owner) {}

void TMaskEdit::SetEditMask(const AnsiString& mask) {
  FMask = mask;
  FPositions.clear();
  FSaveLiterals = true;
  FBlank = '_';
  // The last two ";"-separated fields are the save flag and the blank.
  AnsiString body = mask;
  size_t last = body.rfind(';');
  if (last != AnsiString::npos && last > 0) {
    size_t prev = body.rfind(';', last - 1);
    if (prev != AnsiString::npos && (prev == 0 || body[prev - 1] != '\\')) {
      AnsiString save = body.substr(prev + 1, last - prev - 1);
      FSaveLiterals = save != "0";
      if (last + 1 < body.size()) FBlank = body[last + 1];
      body.resize(prev);
    }
  }
  for (size_t i = 0; i < body.size(); ++i) {
    char c = body[i];
    switch (c) {
      case '0': case '9': case '#': case 'L': case 'l': case 'A': case 'a': case 'C': case 'c':
        FPositions.push_back({c, 0});
        break;
      case '\\':
        if (i + 1 < body.size()) FPositions.push_back({0, body[++i]});
        break;
      case '!': case '>': case '<':
        break;
      default:
        FPositions.push_back({0, c});
    }
  }
  FValue.assign(FPositions.size(), ' ');
  for (int p = 0; p < Size(); ++p)
    if (!IsEditable(p)) FValue[p] = FPositions[p].literal;
  if (FMaxLength != Size()) SetMaxLength(Size());
  Show(0);
}

bool TMaskEdit::Accepts(char kind, char c) const {
  unsigned char u = static_cast<unsigned char>(c);
  bool digit = c >= '0' && c <= '9';
  bool letter = IsCharAlphaA(c) != 0;
  switch (kind) {
    case '0': case '9':
      return digit;
    case '#':
      return digit || c == '+' || c == '-';
    case 'L': case 'l':
      return letter;
    case 'A': case 'a':
      return letter || digit;
    default:
      return u >= 32;
  }
}

int TMaskEdit::NextEditable(int p) const {
  while (p < Size() && !IsEditable(p)) ++p;
  return p;
}

int TMaskEdit::PreviousEditable(int p) const {
  --p;
  while (p >= 0 && !IsEditable(p)) --p;
  return p;
}

AnsiString TMaskEdit::EditText() const {
  if (FPositions.empty()) return TCustomEdit::Text();
  AnsiString s = FValue;
  for (int p = 0; p < Size(); ++p)
    if (IsEditable(p) && s[p] == ' ') s[p] = FBlank;
  return s;
}

AnsiString TMaskEdit::Text() const {
  if (FPositions.empty()) return TCustomEdit::Text();
  AnsiString s;
  for (int p = 0; p < Size(); ++p)
    if (IsEditable(p) || FSaveLiterals) s += FValue[p];
  return s;
}

void TMaskEdit::SetEditText(const AnsiString& text) {
  if (FPositions.empty()) {
    TCustomEdit::SetText(text);
    return;
  }
  for (int p = 0; p < Size(); ++p) {
    if (!IsEditable(p)) continue;
    char c = p < static_cast<int>(text.size()) ? text[p] : ' ';
    FValue[p] = Accepts(FPositions[p].kind, c) ? c : ' ';
  }
  Show(0);
}

void TMaskEdit::SetText(const AnsiString& text) {
  if (FPositions.empty()) {
    TCustomEdit::SetText(text);
    return;
  }
  if (FSaveLiterals) {
    SetEditText(text);
    return;
  }
  // Without literals the characters fill the editable positions in turn.
  size_t i = 0;
  for (int p = 0; p < Size(); ++p) {
    if (!IsEditable(p)) continue;
    char c = i < text.size() ? text[i++] : ' ';
    FValue[p] = Accepts(FPositions[p].kind, c) ? c : ' ';
  }
  Show(0);
}

void TMaskEdit::Show(int caret) {
  FText = EditText();
  if (!FHandle) return;
  SetWindowTextA(FHandle, FText.c_str());
  SendMessageA(FHandle, EM_SETSEL, caret, caret);
}

void TMaskEdit::TypeChar(char c) {
  int start = SelStart();
  int length = SelLength();
  int p = NextEditable(start);
  if (p >= Size() || !Accepts(FPositions[p].kind, c)) {
    MessageBeep(0);
    return;
  }
  if (length > 0) ClearRange(start, start + length);
  FValue[p] = c;
  Show(NextEditable(p + 1) < Size() ? NextEditable(p + 1) : p + 1);
}

void TMaskEdit::ClearRange(int start, int end) {
  for (int p = start; p < end && p < Size(); ++p)
    if (IsEditable(p)) FValue[p] = ' ';
}

void TMaskEdit::Paste() {
  if (!OpenClipboard(FHandle)) return;
  AnsiString text;
  if (HANDLE h = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(h))) {
      text = AnsiString(p, strnlen(p, GlobalSize(h)));
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  for (char c : text)
    if (Accepts(FPositions[std::min(NextEditable(SelStart()), Size() - 1)].kind, c)) TypeChar(c);
}

LRESULT TMaskEdit::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (!FPositions.empty()) {
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
            int p = PreviousEditable(start);
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
