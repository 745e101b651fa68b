#include "components/buttonedits/ButtonParams.h"

#include <utility>

namespace {

// The glyphs of the two standard kinds, drawn in the button text colour on
// the button face: a small down arrow, and three dots.
HBITMAP MakeKindGlyph(TButtonKind kind) {
  const int w = kind == bkDropDown ? 7 : 8, h = kind == bkDropDown ? 4 : 2;
  return MakeButtonGlyph(w, h, [kind, w](HDC dc) {
    HBRUSH ink = GetSysColorBrush(COLOR_BTNTEXT);
    if (kind == bkDropDown) {
      for (int row = 0; row < 4; ++row) {
        RECT r{row, row, w - row, row + 1};
        FillRect(dc, &r, ink);
      }
    } else {
      for (int dot = 0; dot < 3; ++dot) {
        RECT r{dot * 3, 0, dot * 3 + 2, 2};
        FillRect(dc, &r, ink);
      }
    }
  });
}

}  // namespace

TButtonParams::TButtonParams(TEditButton* button, std::function<void()> sizeChanged)
    : FButton(button), FSizeChanged(std::move(sizeChanged)) {}

void TButtonParams::SetKind(TButtonKind kind) {
  if (kind == FKind) return;
  FKind = kind;
  if (kind != bkCustom) {
    FButton->Glyph().SetHandle(MakeKindGlyph(kind));
    if (FWidth == 0) FButton->SetWidth(GetSystemMetrics(SM_CXHTHUMB));
    if (FSizeChanged) FSizeChanged();
  }
  SetNumGlyphs(NumGlyphs());
  FButton->Invalidate();
}

void TButtonParams::SetNumGlyphs(int count) {
  const int before = FButton->NumGlyphs();
  FButton->SetNumGlyphs(FKind == bkCustom ? count : 1);
  if (FButton->NumGlyphs() != before) GlyphChanged();
}

void TButtonParams::SetWidth(int width) {
  if (width != FButton->Width()) {
    if (width > 0) FButton->SetWidth(width);
    else if (FKind != bkCustom) FButton->SetWidth(GetSystemMetrics(SM_CXHTHUMB));
  }
  FWidth = width;
  if (FSizeChanged) FSizeChanged();
}

void TButtonParams::SetGlyph(HBITMAP glyph) {
  FKind = bkCustom;
  FButton->Glyph().SetHandle(glyph);
  GlyphChanged();
}

void TButtonParams::GlyphChanged() {
  if (FKind == bkCustom && FWidth == 0) {
    // The width of one image of the glyph.
    FButton->SetWidth(FButton->Glyph().Width() / FButton->NumGlyphs() + 4);
    if (FSizeChanged) FSizeChanged();
  } else {
    FButton->Invalidate();
  }
}

void TButtonParams::SetVisible(bool visible) {
  FButton->SetVisible(visible);
  if (OnVisibleChanged) OnVisibleChanged();
}
