#pragma once
// A container that paints a picture as its background in one of seven
// placements. The picture (TAdvImage) keeps the file's bytes and draws
// them through the system's OLE picture object, so every format the
// system's picture loader reads can be used (bitmaps, icons, metafiles,
// JPEG, GIF).
#include <ole2.h>
#include <olectl.h>

#include <functional>

#include "classlib/Stream.h"
#include "classlib/WinControl.h"

class TAdvImage : public TPersistent {
 public:
  TAdvImage() = default;
  ~TAdvImage() override;
  TAdvImage(const TAdvImage&) = delete;
  TAdvImage& operator=(const TAdvImage&) = delete;

  // Never raises: a file that cannot be read or shown leaves the image
  // empty. The owner is told of the change.
  void LoadFromFile(const AnsiString& fileName);
  // Raise the picture loader's failures; the owner is not told.
  void LoadFromStream(TStream& stream);
  void ReadData(TStream& stream) { LoadFromStream(stream); }
  // The bytes as they were loaded.
  void SaveToStream(TStream& stream);
  void WriteData(TStream& stream) { SaveToStream(stream); }
  // Copies another image (its bytes and picture), or empties this one for
  // null.
  void Assign(const TAdvImage* source);

  bool Empty() const { return FIsEmpty; }
  // The picture's size in pixels (0 without a picture).
  int Width() const;
  int Height() const;
  bool HasPicture() const { return FPicture != nullptr; }
  // Renders the whole picture into `rect`.
  void Draw(HDC dc, const RECT& rect) const;

  int XPixelsPerInch = 96;
  int YPixelsPerInch = 96;
  std::function<void()> OnChange;

 private:
  // Makes the OLE picture from the bytes; raises Exception with the
  // loader's failure.
  void LoadPicture();
  void ReleasePicture();

  mutable TMemoryStream FBytes;  // Size() is not const
  bool FIsEmpty = true;
  IPicture* FPicture = nullptr;
};

enum TImagePosition {
  ipTopLeft, ipTopRight, ipBottomLeft, ipBottomRight, ipCenter, ipTiled, ipStretched
};

class TWallPaper : public TWinControl {
 public:
  explicit TWallPaper(TComponent* owner);
  // Streamed under its own name with the control's published properties.
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }

  TAdvImage& AdvImage() { return FImage; }
  void SetAdvImage(const TAdvImage& image) { FImage.Assign(&image); }
  TImagePosition ImagePosition() const { return FImagePosition; }
  void SetImagePosition(TImagePosition p);
  static AnsiString Version() { return "1.0.0.0"; }

  // Takes the display's pixels per inch for the picture's size.
  virtual void Loaded();
  // Paints the background and the picture on `dc` (also WM_PRINTCLIENT).
  void PaintTo(HDC dc);

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TAdvImage FImage;
  TImagePosition FImagePosition = ipTopLeft;
};
