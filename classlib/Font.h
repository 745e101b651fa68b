#pragma once
// A font description with its GDI font, made when first asked for and remade
// after every change.
#include <windows.h>

#include <functional>
#include <string>

#include "classlib/Color.h"
#include "classlib/GdiHandle.h"

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class TFont {
 public:
  TFont();
  ~TFont();
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;

  void Assign(const TFont& other);

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  // Size in points; Height in pixels (negative: character height).
  int Size() const;
  void SetSize(int points);
  int Height() const { return height_; }
  void SetHeight(int pixels);
  unsigned Style() const { return style_; }
  void SetStyle(unsigned style);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  BYTE Charset() const { return charset_; }
  void SetCharset(BYTE charset);

  HFONT Handle();
  // The font's text metrics, measured on the screen.
  TEXTMETRICA Metrics();
  // Called after every change (a control re-applies its font).
  std::function<void()> OnChange;

 private:
  void changed();

  std::string name_;
  int height_;
  unsigned style_ = 0;
  TColor color_ = clWindowText;
  BYTE charset_ = DEFAULT_CHARSET;
  TGdiHandle<HFONT> handle_;
};
