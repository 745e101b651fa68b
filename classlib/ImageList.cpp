#include "classlib/ImageList.h"

#include "classlib/GdiHandle.h"
#include "classlib/SelectedObject.h"

TImageList::TImageList(TComponent* owner, int width, int height)
    : TComponent(owner), FWidth(width), FHeight(height) {
  FHandle = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 4, 4);
}

TImageList::~TImageList() {
  if (FHandle) ImageList_Destroy(FHandle);
}

int TImageList::Count() const { return FHandle ? ImageList_GetImageCount(FHandle) : 0; }

int TImageList::AddMasked(TBitmap& bitmap, TColor maskColor) {
  if (!FHandle || bitmap.Empty()) return -1;
  // The image list copies the bitmap; it must not be selected into a context.
  HDC screen = GetDC(nullptr);
  TGdiHandle<HBITMAP> copy(CreateCompatibleBitmap(screen, bitmap.Width(), bitmap.Height()));
  {
    TGdiHandle<HDC> dc(CreateCompatibleDC(screen));
    TSelectedObject useCopy(dc, copy);
    BitBlt(dc, 0, 0, bitmap.Width(), bitmap.Height(), bitmap.Canvas().Handle(), 0, 0, SRCCOPY);
  }
  ReleaseDC(nullptr, screen);
  return ImageList_AddMasked(FHandle, copy, ColorToRGB(maskColor));
}

void TImageList::Draw(HDC dc, int x, int y, int index) const {
  if (FHandle && index >= 0 && index < Count()) ImageList_Draw(FHandle, index, dc, x, y, ILD_TRANSPARENT);
}

void TImageList::Clear() {
  if (FHandle) ImageList_RemoveAll(FHandle);
}
