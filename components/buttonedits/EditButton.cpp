#include "components/buttonedits/EditButton.h"

#include "components/buttonedits/DCEdit.h"

HBITMAP MakeButtonGlyph(int w, int h, const std::function<void(HDC)>& paint) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT all{0, 0, w, h};
  FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  paint(dc);
  SelectObject(dc, old);
  DeleteDC(dc);
  return bmp;
}

TEditButton::TEditButton(TCustomDCEdit* edit) : TSpeedButton(edit), FEdit(edit) {
  FWidth = GetSystemMetrics(SM_CXHTHUMB);
  SetParent(edit);
}

void TEditButton::Click() {
  const bool handled = static_cast<bool>(OnClick);
  FEdit->FocusEditor();
  TSpeedButton::Click();
  if (!handled) FEdit->SetDroppedDown(!FEdit->DroppedDown());
}
