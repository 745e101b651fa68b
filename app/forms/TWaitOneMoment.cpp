#include "app/forms/TWaitOneMoment.h"

#include <memory>

#include "app/core/EntryFileWriter.h"
#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "app/forms/EntrySelection.h"
#include "classlib/Application.h"
#include "classlib/Screen.h"

namespace {

bool isFolder(const AnsiString& path) {
  DWORD attr = GetFileAttributesA(path.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

TTWaitOneMoment::TTWaitOneMoment(TComponent* owner, const EventState& state) : TForm(owner), FState(state) {
  SetName("TWaitOneMoment");
  SetCaption("Bitte einen Augenblick Gelduld....");
  SetBorderStyle(bsDialog);
  SetBorderIcons(0);
  SetPosition(poScreenCenter);
  SetClientSize(301, 86);

  Animate1 = new TAnimate(this);
  Animate1->SetName("Animate1");
  Animate1->SetParent(this);
  Animate1->SetBounds(14, 13, 272, 60);
  Animate1->SetStopFrame(20);
  Animate1->SetCommonAVI(aviCopyFile);
  Animate1->SetActive(true);

  XML = new TXpObjModel(this);
  XML->SetName("XML");
  XML->SetBufferSize(8192);
  XML->SetIdAttribute(u"id");
  XML->SetLineBreakCharReplace(false);
  XML->SetLineBreakMode(lbmDefault);
  XML->SetOutCharSet(ceUnknown);
  XML->SetUserName("anonymous");
  XML->SetPassword("meldung@zavrolin-info.com");
  XML->SetWriteUTF8Signature(true);
  XML->SetRaiseErrors(false);
}

bool TTWaitOneMoment::WriteEntryFile(const AnsiString& path, bool askToReplace) {
  if (isFolder(path)) {
    Application->MessageBox("Die Meldedatei kann nicht als Ordner angelegt werden!", "Fehler",
                            MB_OK | MB_ICONSTOP);
    return false;
  }
  if (askToReplace && PathExists(path) &&
      Application->MessageBox(
          "Es ist bereits eine Melde-Datei vorhanden! Darf ich sie überschreiben?", "Fehler",
          MB_YESNO | MB_ICONQUESTION) != IDYES)
    return false;
  // Without an event or a store there is nothing to write from.
  if (!FState.eventDef || !FState.memory) return false;
  EntryFileWriter writer(*FState.eventDef, *FState.memory, EntrySelection, FState.settings.VID, FState.districtPreset);
  return writer.WriteEntryFile(*XML, path);
}

bool WriteEntryFileWithPrompt(const EventState& state, const AnsiString& path, bool replace) {
  TApplication::Instance();
  // Without `replace` an existing file is replaced only when the user says
  // so twice. The old file stays until the new one is complete (the writer
  // replaces it then), so a failed write never loses it.
  if (!replace && PathExists(path) && !isFolder(path)) {
    const bool agreed =
        Application->MessageBox("Es ist bereits eine Meldedatei vorhanden! Darf ich sie überschreiben?", "Fehler",
                                MB_YESNO | MB_ICONQUESTION) == IDYES &&
        Application->MessageBox("Sind Sie sicher, daß ich die Meldedatei überschreiben darf?", "Rückfrage",
                                MB_YESNO | MB_ICONQUESTION) == IDYES;
    if (!agreed) {
      Application->MessageBox(AnsiString("Die Meldediskette konnte nicht erzeugt werden! ") + "\n" +
                                  "Bitte verwenden Sie eine andere Diskette!",
                              "Fehler", MB_OK | MB_ICONEXCLAMATION);
      return false;
    }
  }
  std::unique_ptr<TTWaitOneMoment> wait(new TTWaitOneMoment(nullptr, state));
  wait->Show();
  Application->ProcessMessages();
  Screen->SetCursor(crHourGlass);
  bool result = wait->WriteEntryFile(path, false);
  Screen->SetCursor(crDefault);
  return result;
}
