#include "app/windows/PrintCanvas.h"

PrintMeasures BeginPrintout(PrintCanvas& canvas, const PrintFont& text, const PrintFont& heading,
                            int32_t leftMargin) {
  PrintMeasures m;
  canvas.begin(text, heading);
  canvas.useFont(PrintCanvas::HeadingFont);
  m.CH2 = canvas.textSize("L").cy;
  canvas.useFont(PrintCanvas::TextFont);
  const PrintSize x = canvas.textSize("X");
  m.CW = x.cx;
  m.CH = x.cy;
  m.x0 = m.CW * leftMargin;
  m.LH = canvas.lineHeight();
  return m;
}
