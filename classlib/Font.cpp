#include "classlib/Font.h"

#include "classlib/SelectedObject.h"

namespace {
int screenPpi() {
  HDC dc = GetDC(nullptr);
  int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return ppi > 0 ? ppi : 96;
}
}  // namespace

TFont::TFont() : name_("MS Sans Serif"), height_(-MulDiv(8, screenPpi(), 72)) {}

TFont::~TFont() = default;

void TFont::Assign(const TFont& other) {
  name_ = other.name_;
  height_ = other.height_;
  style_ = other.style_;
  color_ = other.color_;
  charset_ = other.charset_;
  changed();
}

void TFont::SetName(const std::string& name) {
  name_ = name;
  changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, screenPpi()); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, screenPpi(), 72)); }

void TFont::SetHeight(int pixels) {
  height_ = pixels;
  changed();
}

void TFont::SetStyle(unsigned style) {
  style_ = style;
  changed();
}

void TFont::SetColor(TColor c) {
  color_ = c;
  if (OnChange) OnChange();
}

void TFont::SetCharset(BYTE charset) {
  charset_ = charset;
  changed();
}

HFONT TFont::Handle() {
  if (!handle_) {
    LOGFONTA lf{};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
    lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = charset_;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
    handle_.reset(CreateFontIndirectA(&lf));
  }
  return handle_;
}

void TFont::changed() {
  // The old handle may still be selected in a window: release it only after
  // the owner has taken the new one.
  const TGdiHandle<HFONT> old = std::move(handle_);
  if (OnChange) OnChange();
}

TEXTMETRICA TFont::Metrics() {
  HDC dc = GetDC(nullptr);
  TEXTMETRICA tm{};
  {
    TSelectedObject useFont(dc, Handle());
    GetTextMetricsA(dc, &tm);
  }
  ReleaseDC(nullptr, dc);
  return tm;
}
