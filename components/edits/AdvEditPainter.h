#pragma once
// What the enhanced edit draws beyond the edit control's own painting: the
// grey hint text of an empty edit, the wavy error line under part of the
// value, and the parent's background under a transparent edit.
#include <windows.h>

#include "classlib/AnsiString.h"
#include "classlib/Color.h"
#include "classlib/GdiHandle.h"

class TAdvEditPainter {
 public:
  TAdvEditPainter() = default;
  ~TAdvEditPainter();
  TAdvEditPainter(const TAdvEditPainter&) = delete;
  TAdvEditPainter& operator=(const TAdvEditPainter&) = delete;

  // Draws over the painted edit `edit` in `font`: `hint` (when not empty)
  // aligned by `align` (DT_LEFT, DT_CENTER or DT_RIGHT), and a wave in
  // `waveColor` under the characters from .. from + length - 1 of the
  // control text `text` (none when length is 0 or less).
  void PaintExtras(HWND edit, HFONT font, const AnsiString& text, const AnsiString& hint,
                   UINT align, int from, int length, TColor waveColor);
  // The parent erases its background into a bitmap of the edit's client
  // size, shifted so that the bitmap shows what lies under the edit; the
  // answer is a pattern brush of it (kept until the next call), or null.
  HBRUSH ParentBackgroundBrush(HWND edit, HWND parent);

 private:
  void DrawHint(HDC dc, HWND edit, const AnsiString& hint, UINT align);
  void DrawWave(HDC dc, HWND edit, const TEXTMETRICA& tm, const AnsiString& text, int from,
                int length, TColor color);

  // The parent's background under the client area, as a pattern brush.
  // The bitmap first: the brush made from it goes before it.
  TGdiHandle<HBITMAP> FParentBitmap;
  TGdiHandle<HBRUSH> FParentBrush;
};
