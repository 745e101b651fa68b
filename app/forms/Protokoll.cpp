#include "app/forms/Protokoll.h"

#include <fstream>
#include <iterator>

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FileSystem.h"
#include "app/core/Settings.h"
#include "classlib/Application.h"
#include "classlib/Exception.h"

TProtokoll* gProtokoll = nullptr;

namespace {

// The whole file is replaced or left as it was: written to a temporary
// file, flushed to the disk and renamed over the old log.
void writeWhole(const AnsiString& path, const AnsiString& bytes) {
  if (!kel::WriteWholeFile(path, bytes.data(), bytes.size()))
    throw EWriteError("Fehler beim Schreiben der Datei " + path);
}

AnsiString readWhole(const AnsiString& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EFOpenError("Datei " + path + " kann nicht geöffnet werden");
  AnsiString bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw EReadError("Fehler beim Lesen der Datei " + path);
  return bytes;
}

}  // namespace

TProtokoll::TProtokoll(TComponent* owner, const EventState& state) : TForm(owner), FState(state) {
  SetName("Protokoll");
  SetCaption("Protokoll");
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  SetClientSize(395, 282);

  Memo = new TMemo(this);
  Memo->SetName("Memo");
  Memo->SetParent(this);
  Memo->SetBounds(9, 8, 377, 229);
  Memo->SetReadOnly(true);
  Memo->SetScrollBars(ssVertical);

  Button1 = new TButton(this);
  Button1->SetName("Button1");
  Button1->SetParent(this);
  Button1->SetText("OK");
  Button1->SetBounds(311, 248, 75, 25);
  Button1->SetModalResult(mrOk);

  Button2 = new TButton(this);
  Button2->SetName("Button2");
  Button2->SetParent(this);
  Button2->SetText("Protokoll löschen");
  Button2->SetBounds(9, 248, 121, 25);
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };

  SetActiveControl(Button1);
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnCreate(this);
}

void TProtokoll::FormCreate(TObject*) {
  FLogPath = FState.settings.veranstDir + FState.eventName + "PRK";
  Memo->Lines().Clear();
  if (!PathExists(FLogPath)) return;
  try {
    Memo->Lines().SetText(readWhole(FLogPath));
  } catch (const Exception& e) {
    Application->ShowException(e);
  }
}

void TProtokoll::Save() {
  writeWhole(FLogPath, Memo->Lines().Text());
}

int TProtokoll::AddLine(const AnsiString& text) {
  TControlStrings& lines = Memo->Lines();
  lines.BeginUpdate();
  // Each line of the text becomes a line of the log, whatever ends it.
  size_t start = 0;
  for (;;) {
    size_t p = text.find_first_of("\r\n", start);
    lines.Add(text.substr(start, p == AnsiString::npos ? AnsiString::npos : p - start));
    if (p == AnsiString::npos) break;
    start = p + ((text[p] == '\r' && p + 1 < text.size() && text[p + 1] == '\n') ? 2 : 1);
  }
  lines.Add("-----");
  lines.Add("");
  lines.EndUpdate();
  try {
    Save();
  } catch (const Exception& e) {
    Application->ShowException(e);
    return 0;
  }
  return 1;
}

void TProtokoll::Button2Click(TObject*) {
  Memo->Lines().Clear();
  Save();
}
