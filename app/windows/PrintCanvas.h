#pragma once
// The surface the printouts draw on: texts placed by their top-left corner,
// horizontal rules and the measures of the printout's two fonts, all in
// device units from the top left of the printable area. The print pane draws
// on a printer display through it; a test records what is drawn.
#include <cstdint>
#include <string>
#include <string_view>

// A font of a printout: sizes in tenths of a point, weight 400, ANSI
// character set.
struct PrintFont {
  std::string face;  // at most kMaxFaceLength characters
  int32_t width = 0;
  int32_t height = 0;
  bool fixedPitch = false;

  // A face name fits the font description with its terminator.
  static constexpr size_t kMaxFaceLength = 31;
  PrintFont(std::string_view faceName, int32_t w, int32_t h, bool fixed)
      : face(faceName.substr(0, kMaxFaceLength)), width(w), height(h), fixedPitch(fixed) {}
};

struct PrintSize {
  int32_t cx = 0, cy = 0;
};

class PrintCanvas {
 public:
  enum FontSlot { TextFont = 0, HeadingFont = 1 };

  virtual ~PrintCanvas() = default;
  // Makes both fonts and the rule pen (solid, 4 units, black), takes the
  // surface (copy pen, transparent background, black text) and selects the
  // text font.
  virtual void begin(const PrintFont& text, const PrintFont& heading) = 0;
  // Deselects and deletes the fonts and the pen and lets the surface go.
  virtual void end() = 0;
  virtual void useFont(FontSlot slot) = 0;
  // Size of a text in the current font.
  virtual PrintSize textSize(std::string_view text) = 0;
  // Height plus external leading of the current font.
  virtual int32_t lineHeight() = 0;
  virtual void text(int32_t x, int32_t y, std::string_view text) = 0;
  // A horizontal rule with the rule pen.
  virtual void rule(int32_t x1, int32_t x2, int32_t y) = 0;
  // Height of the printable area (extent bottom - top).
  virtual int32_t extentHeight() = 0;
};

// The measures every printout counts in: CW and CH the size of "X" in the
// text font, LH its line height, CH2 the height of "L" in the heading font,
// x0 the left margin.
struct PrintMeasures {
  int32_t CW = 0, CH = 0, LH = 0, CH2 = 0, x0 = 0;
};

// begin() on the canvas and the measures, with the text font selected.
PrintMeasures BeginPrintout(PrintCanvas& canvas, const PrintFont& text, const PrintFont& heading,
                            int32_t leftMargin);
