#include "app/forms/TWaitOneMoment.h"

#include <algorithm>
#include <memory>
#include <string>

#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "app/forms/EntrySelection.h"
#include "classlib/Application.h"
#include "classlib/Screen.h"
#include "xml/dom/XpDocument.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpProcessingInstruction.h"

namespace {

WideString wide(const AnsiString& s) { return AnsiToWide(s); }

template <size_t N>
WideString wide(const char (&field)[N]) {
  return AnsiToWide(FieldText(field));
}

WideString number(int32_t v) {
  std::string s = std::to_string(v);
  return WideString(s.begin(), s.end());
}

bool isFolder(const AnsiString& path) {
  DWORD attr = GetFileAttributesA(path.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

// The counts of the event table are bounded by the record sizes.
int32_t classCount() {
  return gEventDef ? std::clamp<int32_t>(gEventDef->classCount, 0, kMaxClasses) : 0;
}

int32_t athletesPerTeam(const ClassRecord& cls) {
  return std::clamp<int32_t>(cls.athletesPerTeam, 0, kMaxAthletes);
}

bool classTicked(int32_t c) {
  for (int32_t t = 0; t < kMaxTeams; ++t)
    if (EntrySelection[c][t] > 0) return true;
  return false;
}

const AthleteRecord* namedAthlete(int32_t c, int32_t t, int32_t m) {
  const AthleteRecord* a = gMemory ? gMemory->getAthlete(c, t, m) : nullptr;
  return a && a->name[0] != '\0' ? a : nullptr;
}

}  // namespace

TTWaitOneMoment::TTWaitOneMoment(TComponent* owner) : TForm(owner) {
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

void TTWaitOneMoment::BuildDocument() {
  XML->ClearDocument();
  XML->SetFormattedOutput(true);
  TXpDocument* doc = XML->Document();

  TXpProcessingInstruction* pi = doc->CreateProcessingInstruction(u"xml", u"version=\"1.0\"");
  doc->AppendChild(pi);
  pi->Release();

  TXpElement* root = doc->CreateElement(u"Meldebogen");
  root->SetAttribute(u"Sportart", u"LA");
  root->SetAttribute(u"Creator", u"Zavrolin");
  root->SetAttribute(u"ID", u"12654");
  root->SetAttribute(u"Version", u"1.0");
  doc->AppendChild(root);
  root->Release();

  root = XML->DocumentElement();
  TXpElement* id = root->CreateChildElement(u"VeranstID");
  id->SetAttribute(u"LBK", wide(gDistrictPreset));
  id->SetAttribute(u"Data", wide(gSettings.VID));

  const int32_t count = classCount();
  TXpElement* defs = root->CreateChildElement(u"Definitionen");
  for (int32_t c = 0; c < count; ++c) {
    if (!classTicked(c)) continue;
    const ClassRecord& cls = gEventDef->classes[c];
    TXpElement* k = defs->CreateChildElement(u"Wettkampfklasse");
    k->SetAttribute(u"Name", wide(cls.name));
    k->SetAttribute(u"Index", number(cls.Index));
    k->SetAttribute(u"Modus", number(cls.Modus));
    int32_t disciplines = std::clamp<int32_t>(cls.disciplineCount, 0, kMaxDisciplines);
    for (int32_t d = 0; d < disciplines; ++d)
      k->CreateChildElement(u"Disziplin")
          ->SetAttribute(u"Name", wide(gEventDef->disciplines[c][d].name));
  }

  TXpElement* entries = root->CreateChildElement(u"Meldungen");
  for (int32_t c = 0; c < count; ++c) {
    const ClassRecord& cls = gEventDef->classes[c];
    const int32_t members = athletesPerTeam(cls);
    for (int32_t t = 0; t < kMaxTeams; ++t) {
      const TeamRecord* team = gMemory ? gMemory->getTeam(c, t) : nullptr;
      if (!team || team->schoolName[0] == '\0' || EntrySelection[c][t] < 1) continue;
      // The athletes that decide whether the team is written are the ones
      // that are listed: members 0 .. athletes per team - 1.
      bool anyAthlete = false;
      for (int32_t m = 0; m < members && !anyAthlete; ++m) anyAthlete = namedAthlete(c, t, m);
      if (!anyAthlete) continue;

      TXpElement* e = entries->CreateChildElement(u"Mannschaft");
      e->SetAttribute(u"Klasse", wide(cls.name));
      e->SetAttribute(u"Index", number(cls.Index));
      TXpElement* school = e->CreateChildElement(u"Schuldaten");
      TXpElement* x = school->CreateChildElement(u"Schule");
      x->SetAttribute(u"Name", wide(team->schoolName));
      x->SetAttribute(u"Liste", wide(team->listName));
      x->SetAttribute(u"Reiter", wide(team->tabName));
      school->CreateChildElement(u"Strasse")->SetAttribute(u"Name", wide(team->street));
      x = school->CreateChildElement(u"Ort");
      x->SetAttribute(u"Name", wide(team->town));
      x->SetAttribute(u"Bez", wide(team->Bez));
      x->SetAttribute(u"Kre", wide(team->Kre));
      x->SetAttribute(u"Bla", wide(team->Bla));
      school->CreateChildElement(u"EMail")->SetAttribute(u"Mail", wide(team->mail));
      x = school->CreateChildElement(u"Betreuer");
      x->SetAttribute(u"Name", wide(team->supervisor));
      x->SetAttribute(u"Tel1", wide(team->tel1));
      x->SetAttribute(u"Tel2", wide(team->tel2));
      x = school->CreateChildElement(u"Staffelzeiten");
      x->SetAttribute(u"Staffel1", number(team->relayTimes[0]));
      x->SetAttribute(u"Staffel2", number(team->relayTimes[1]));

      for (int32_t m = 0; m < members; ++m) {
        const AthleteRecord* a = namedAthlete(c, t, m);
        if (!a) continue;
        TXpElement* p = e->CreateChildElement(u"Teilnehmer");
        p->SetAttribute(u"Name", wide(a->name));
        p->SetAttribute(u"JG", wide(a->JG));
        p->SetAttribute(u"Klasse", wide(a->schoolClass));
        for (int32_t k = 0; k < kMaxDisciplines; ++k) {
          if (!(a->mask & (1u << k))) continue;
          TXpElement* r = p->CreateChildElement(u"Meldung");
          r->SetAttribute(u"Disziplin", number(k));
          r->SetAttribute(u"Leistung", number(a->Leistung[k]));
        }
      }
    }
  }
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
  // The old file stays until the new one is complete: saving writes a
  // temporary file beside it and renames it over the old one.
  try {
    BuildDocument();
    bool saved = XML->SaveToFile(AnsiToWide(path));
    XML->ClearDocument();
    return saved;
  } catch (const std::exception&) {
    XML->ClearDocument();
    return false;
  }
}

bool WriteEntryFileWithPrompt(const AnsiString& path, bool replace) {
  TApplication::Instance();
  std::unique_ptr<TTWaitOneMoment> wait(new TTWaitOneMoment(nullptr));
  wait->Show();
  Application->ProcessMessages();
  Screen->SetCursor(crHourGlass);
  bool result = wait->WriteEntryFile(path, !replace);
  Screen->SetCursor(crDefault);
  return result;
}
