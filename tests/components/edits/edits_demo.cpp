// Shows the mask edit, enhanced edits with their labels, a flat edit, the
// hint text of an empty edit, the error wave and the wallpaper panel on one
// form, for the screenshot script. Ends after the given seconds.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "classlib/Application.h"
#include "classlib/Form.h"
#include "classlib/Label.h"
#include "components/edits/AdvEdit.h"
#include "components/edits/AdvMaskEdit.h"
#include "components/edits/WallPaper.h"

namespace {

// A 24-bit BMP file: a 48 x 32 tile with a soft diagonal pattern.
std::vector<uint8_t> tileBitmap() {
  const int w = 48, h = 32, stride = w * 3;
  std::vector<uint8_t> b(54 + static_cast<size_t>(stride) * h);
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, static_cast<uint32_t>(b.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, w);
  put32(22, h);
  b[26] = 1;
  b[28] = 24;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &b[54 + static_cast<size_t>(y) * stride + x * 3];
      bool stripe = ((x + y) / 8) % 2 == 0;
      p[0] = stripe ? 0xF0 : 0xE0;  // blue
      p[1] = stripe ? 0xE8 : 0xD8;  // green
      p[2] = stripe ? 0xD8 : 0xC8;  // red
    }
  return b;
}

struct DemoForm : TForm {
  DemoForm() : TForm(nullptr) {
    SetCaption("Eingabefelder");
    SetBorderStyle(bsDialog);
    SetBounds(20, 20, 0, 0);
    SetClientSize(460, 190);

    auto* date = new TAdvMaskEdit(this);
    date->SetParent(this);
    date->SetBounds(120, 16, 90, 21);
    date->SetEditMask("99/99/9999;1;_");
    date->SetText("24/06/20  ");
    date->SetLabelPosition(lpLeftCenter);
    date->SetLabelCaption("Geburtsdatum:");
    date->Loaded();

    auto* school = new TAdvEdit(this);
    school->SetParent(this);
    school->SetBounds(120, 48, 200, 21);
    school->SetEditType(etUppercase);
    school->SetText("GYMNASIUM NORTD");
    school->SetLabelPosition(lpLeftCenter);
    school->SetLabelCaption("Schule:");
    school->ErrorMarkerPos = 10;
    school->ErrorMarkerLen = 5;
    school->Loaded();

    auto* mail = new TAdvEdit(this);
    mail->SetParent(this);
    mail->SetBounds(120, 80, 200, 21);
    mail->SetLabelPosition(lpLeftCenter);
    mail->SetLabelCaption("E-Mail:");
    mail->EmptyText = "name@schule.de";
    mail->Loaded();

    auto* flat = new TAdvEdit(this);
    flat->SetParent(this);
    flat->SetBounds(120, 112, 200, 21);
    flat->SetLabelPosition(lpLeftCenter);
    flat->SetLabelCaption("Betreuer:");
    flat->SetFlat(true);
    flat->Border.FlatLineColor = clGray;
    flat->SetText("Frau Berger");
    flat->Loaded();

    auto* soft = new TAdvEdit(this);
    soft->SetParent(this);
    soft->SetBounds(120, 144, 200, 21);
    soft->SetLabelPosition(lpLeftCenter);
    soft->SetLabelCaption("Telefon:");
    soft->Border.SoftBorder = true;
    soft->SetText("07531 12345");
    soft->Loaded();

    paper = new TWallPaper(this);
    paper->SetParent(this);
    paper->SetBounds(340, 16, 104, 150);
    paper->Loaded();
    std::vector<uint8_t> bytes = tileBitmap();
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    paper->AdvImage().LoadFromStream(stream);
    paper->SetImagePosition(ipTiled);
    auto* caption = new TLabel(this);
    caption->SetParent(paper);
    caption->SetTransparent(true);
    caption->SetCaption("Hintergrund");
    caption->SetBounds(20, 66, caption->Width(), caption->Height());

    date->SetFocus();
  }
  TWallPaper* paper;
};

}  // namespace

int main(int argc, char** argv) {
  int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
  DemoForm form;
  form.Show();
  SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000,
           [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); });
  while (!Application->Terminated()) Application->HandleMessage();
  return 0;
}
