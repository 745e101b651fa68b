#include "components/buttonedits/EditButton.h"

#include "classlib/GdiHandle.h"
#include "classlib/SelectedObject.h"
#include "components/buttonedits/DCEdit.h"

HBITMAP MakeButtonGlyph(int w, int h, const std::function<void(HDC)>& paint) {
  HDC screen = GetDC(nullptr);
  TGdiHandle<HDC> dc(CreateCompatibleDC(screen));
  TGdiHandle<HBITMAP> bmp(CreateCompatibleBitmap(screen, w, h));
  ReleaseDC(nullptr, screen);
  {
    // A paint that throws leaves neither the context nor the bitmap behind.
    TSelectedObject useBitmap(dc, bmp);
    RECT all{0, 0, w, h};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    paint(dc);
  }
  return bmp.release();
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
