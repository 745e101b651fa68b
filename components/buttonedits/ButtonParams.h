#pragma once
// The description of one button of the edit with buttons: kind, width,
// glyph, visibility and hint.
#include <functional>

#include "components/buttonedits/EditButton.h"

enum TButtonKind { bkCustom, bkDropDown, bkDots };

class TButtonParams {
 public:
  TButtonParams(TEditButton* button, std::function<void()> sizeChanged);

  TEditButton* Button() const { return FButton; }
  TButtonKind Kind() const { return FKind; }
  // bkDropDown and bkDots take their own glyphs; bkCustom keeps the glyph.
  void SetKind(TButtonKind kind);
  // 0 is automatic: the glyph width + 4 for bkCustom, the width of a scroll
  // thumb otherwise.
  int Width() const { return FWidth; }
  void SetWidth(int width);
  // Takes ownership of the bitmap; the kind becomes bkCustom.
  void SetGlyph(HBITMAP glyph);
  void GlyphChanged();
  // The images side by side in the glyph (up, disabled, pressed, down);
  // the kinds with their own glyph have one, so only bkCustom takes more.
  int NumGlyphs() const { return FButton->NumGlyphs(); }
  void SetNumGlyphs(int count);
  bool Visible() const { return FButton->Visible(); }
  void SetVisible(bool visible);
  AnsiString Hint() const { return FButton->Hint(); }
  void SetHint(const AnsiString& hint) { FButton->SetHint(hint); }
  bool ShowHint() const { return FButton->ShowHint(); }
  void SetShowHint(bool v) { FButton->SetShowHint(v); }

  // Set by the edit: counts the visible buttons again.
  std::function<void()> OnVisibleChanged;

 private:
  TEditButton* FButton;
  std::function<void()> FSizeChanged;
  TButtonKind FKind = bkCustom;
  int FWidth = 0;
};
