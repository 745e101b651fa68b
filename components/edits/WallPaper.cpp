#include "components/edits/WallPaper.h"

#include <cstring>
#include <vector>

#include "classlib/Exception.h"
#include "classlib/GdiHandle.h"
#include "classlib/OleSession.h"
#include "classlib/SelectedObject.h"

TAdvImage::~TAdvImage() {
  OnChange = nullptr;
  ReleasePicture();
}

void TAdvImage::ReleasePicture() {
  if (FPicture) FPicture->Release();
  FPicture = nullptr;
}

void TAdvImage::LoadPicture() {
  ReleasePicture();
  auto size = static_cast<SIZE_T>(FBytes.Size());
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
  if (!memory) throw Exception("Could not allocate memory for image");
  if (void* p = GlobalLock(memory)) {
    if (size) std::memcpy(p, FBytes.Memory(), size);
    GlobalUnlock(memory);
  }
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    GlobalFree(memory);
    throw Exception("Could not create image stream");
  }
  if (!stream) throw Exception("Empty image stream created");
  IPicture* picture = nullptr;
  EnsureOleInitialized();
  HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&picture));
  stream->Release();
  if (FAILED(hr)) throw Exception("Could not load image. Invalid format");
  if (!picture) throw Exception("Could not load image");
  FPicture = picture;
}

void TAdvImage::LoadFromFile(const AnsiString& fileName) {
  try {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    FBytes.Clear();
    FBytes.CopyFrom(file, 0);
    FIsEmpty = false;
    LoadPicture();
  } catch (const Exception&) {
    ReleasePicture();
    FBytes.Clear();
    FIsEmpty = true;
  }
  if (OnChange) OnChange();
}

void TAdvImage::LoadFromStream(TStream& stream) {
  FBytes.Clear();
  FBytes.LoadFromStream(stream);
  FIsEmpty = false;
  LoadPicture();
}

void TAdvImage::SaveToStream(TStream& stream) {
  if (FBytes.Size() > 0) stream.WriteBuffer(FBytes.Memory(), static_cast<int32_t>(FBytes.Size()));
}

void TAdvImage::Assign(const TAdvImage* source) {
  FIsEmpty = true;
  ReleasePicture();
  if (!source) {
    FBytes.Clear();
    return;
  }
  FBytes.Clear();
  if (source->FBytes.Size() > 0)
    FBytes.WriteBuffer(source->FBytes.Memory(), static_cast<int32_t>(source->FBytes.Size()));
  FIsEmpty = false;
  try {
    LoadPicture();
  } catch (const Exception&) {
    ReleasePicture();
  }
  if (OnChange) OnChange();
}

int TAdvImage::Width() const {
  if (!FPicture) return 0;
  OLE_XSIZE_HIMETRIC w = 0;
  FPicture->get_Width(&w);
  return MulDiv(static_cast<int>(w), XPixelsPerInch, 2540);
}

int TAdvImage::Height() const {
  if (!FPicture) return 0;
  OLE_YSIZE_HIMETRIC h = 0;
  FPicture->get_Height(&h);
  return MulDiv(static_cast<int>(h), YPixelsPerInch, 2540);
}

void TAdvImage::Draw(HDC dc, const RECT& r) const {
  if (!FPicture) return;
  OLE_XSIZE_HIMETRIC w = 0;
  OLE_YSIZE_HIMETRIC h = 0;
  FPicture->get_Width(&w);
  FPicture->get_Height(&h);
  // OLE pictures are rendered from their bottom edge upwards.
  FPicture->Render(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, 0, h, w, -h, nullptr);
}

const TClassInfo TWallPaper::Info = PublishClass<TWallPaper>("TWallPaper", "WallPaper", TWinControl::Info, {});

TWallPaper::TWallPaper(TComponent* owner) : TWinControl(owner) {
  FWidth = 100;
  FHeight = 100;
  FImage.OnChange = [this] { Invalidate(); };
}

void TWallPaper::SetImagePosition(TImagePosition p) {
  if (p == FImagePosition) return;
  FImagePosition = p;
  Invalidate();
}

void TWallPaper::Loaded() {
  HDC dc = FHandle ? GetDC(FHandle) : GetDC(nullptr);
  FImage.XPixelsPerInch = GetDeviceCaps(dc, LOGPIXELSX);
  FImage.YPixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(FHandle, dc);
  Invalidate();
}

void TWallPaper::PaintTo(HDC dc) {
  int W = FWidth, H = FHeight;
  if (FHandle) {
    RECT cr;
    GetClientRect(FHandle, &cr);
    W = cr.right;
    H = cr.bottom;
  }
  RECT all{0, 0, W, H};
  FillRect(dc, &all, BackgroundBrush());
  if (!FImage.HasPicture()) return;
  int w = FImage.Width(), h = FImage.Height();
  // A picture without extent has nothing to show (and would never end a
  // tiling).
  if (w <= 0 || h <= 0) return;
  auto at = [&](int x, int y) {
    RECT r{x, y, x + w, y + h};
    FImage.Draw(dc, r);
  };
  int right = W - w > 0 ? W - w : 0, bottom = H - h > 0 ? H - h : 0;
  switch (FImagePosition) {
    case ipTopLeft: at(0, 0); break;
    case ipTopRight: at(right, 0); break;
    case ipBottomLeft: at(0, bottom); break;
    case ipBottomRight: at(right, bottom); break;
    case ipCenter: at(right / 2, bottom / 2); break;
    case ipTiled:
      for (int y = 0; y < H; y += h)
        for (int x = 0; x < W; x += w) at(x, y);
      break;
    case ipStretched: {
      RECT r{0, 0, W, H};
      FImage.Draw(dc, r);
      break;
    }
  }
}

LRESULT TWallPaper::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(FHandle, &ps);
      RECT cr;
      GetClientRect(FHandle, &cr);
      // Drawn off screen first, so that a tiled picture does not flicker.
      {
        const TGdiHandle<HDC> mem(CreateCompatibleDC(dc));
        const TGdiHandle<HBITMAP> bmp(CreateCompatibleBitmap(dc, cr.right > 0 ? cr.right : 1,
                                                            cr.bottom > 0 ? cr.bottom : 1));
        TSelectedObject useBitmap(mem, bmp);
        PaintTo(mem);
        BitBlt(dc, 0, 0, cr.right, cr.bottom, mem, 0, 0, SRCCOPY);
      }
      PaintControls(dc);
      EndPaint(FHandle, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintTo(reinterpret_cast<HDC>(w));
      PaintControls(reinterpret_cast<HDC>(w));
      return 0;
    default:
      break;
  }
  return TWinControl::WndProc(msg, w, l);
}
