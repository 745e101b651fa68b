#include "app/core/EntryFileWriter.h"

#include "app/core/FieldText.h"
#include "app/core/FileSystem.h"
#include "app/core/Memory.h"
#include "classlib/Stream.h"
#include "xml/dom/XpDocument.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpObjModel.h"
#include "xml/dom/XpProcessingInstruction.h"

#include <algorithm>
#include <exception>
#include <string_view>
#include <utility>

namespace {

// A text as the document takes it: Windows-1252 turned into UTF-16, and the
// control characters XML 1.0 does not allow (all below 0x20 but TAB, LF and
// CR) turned into blanks, so that the file always parses.
WideString text(std::string_view s) {
  WideString w;
  w.reserve(s.size());
  for (char ch : s) {
    const auto b = static_cast<unsigned char>(ch);
    const bool allowed = b >= 0x20 || b == 0x09 || b == 0x0A || b == 0x0D;
    w.push_back(allowed ? AnsiCharToWide(b) : u' ');
  }
  return w;
}

template <size_t N>
WideString text(const char (&field)[N]) {
  return text(std::string_view(field, FieldLength(field)));
}

WideString number(int32_t v) {
  const std::string s = std::to_string(v);
  return WideString(s.begin(), s.end());
}

bool named(const char* field) { return field[0] != '\0'; }

}  // namespace

EntryFileWriter::EntryFileWriter(const EventDefinition& def, const Memory& store,
                                 const EntrySelectionTable& selection, std::string VID,
                                 std::string districtPreset)
    : def_(def),
      store_(store),
      selection_(selection),
      VID_(std::move(VID)),
      districtPreset_(std::move(districtPreset)) {}

bool EntryFileWriter::classTicked(int32_t c) const {
  for (int32_t t = 0; t < kMaxTeams; ++t)
    if (selection_[c][t] > 0) return true;
  return false;
}

void EntryFileWriter::BuildDocument(TXpObjModel& xml) const {
  xml.ClearDocument();
  xml.SetFormattedOutput(true);
  TXpDocument* doc = xml.Document();

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

  root = xml.DocumentElement();
  TXpElement* id = root->CreateChildElement(u"VeranstID");
  id->SetAttribute(u"LBK", text(districtPreset_));
  id->SetAttribute(u"Data", text(VID_));

  // The counts of the event table are bounded by the record sizes.
  const int32_t classes = std::clamp<int32_t>(def_.classCount, 0, kMaxClasses);
  TXpElement* defs = root->CreateChildElement(u"Definitionen");
  for (int32_t c = 0; c < classes; ++c) {
    if (!classTicked(c)) continue;
    const ClassRecord& cls = def_.classes[c];
    TXpElement* k = defs->CreateChildElement(u"Wettkampfklasse");
    k->SetAttribute(u"Name", text(cls.name));
    k->SetAttribute(u"Index", number(cls.Index));
    k->SetAttribute(u"Modus", number(cls.Modus));
    const int32_t disciplines = std::clamp<int32_t>(cls.disciplineCount, 0, kMaxDisciplines);
    for (int32_t d = 0; d < disciplines; ++d)
      k->CreateChildElement(u"Disziplin")->SetAttribute(u"Name", text(def_.disciplines[c][d].name));
  }

  TXpElement* entries = root->CreateChildElement(u"Meldungen");
  for (int32_t c = 0; c < classes; ++c) {
    const ClassRecord& cls = def_.classes[c];
    // The athletes that decide whether a team is written are the ones that
    // are listed: members 0 .. athletes per team - 1.
    const int32_t members = std::clamp<int32_t>(cls.athletesPerTeam, 0, kMaxAthletes);
    const WideString className = text(cls.name);
    const WideString classIndex = number(cls.Index);
    for (int32_t t = 0; t < kMaxTeams; ++t) {
      const TeamRecord* team = store_.getTeam(c, t);
      if (!team || !named(team->schoolName) || selection_[c][t] < 1) continue;
      const AthleteRecord* listed[kMaxAthletes] = {};
      bool anyAthlete = false;
      for (int32_t m = 0; m < members; ++m) {
        const AthleteRecord* a = store_.getAthlete(c, t, m);
        if (a && named(a->name)) {
          listed[m] = a;
          anyAthlete = true;
        }
      }
      if (!anyAthlete) continue;

      TXpElement* e = entries->CreateChildElement(u"Mannschaft");
      e->SetAttribute(u"Klasse", className);
      e->SetAttribute(u"Index", classIndex);
      TXpElement* school = e->CreateChildElement(u"Schuldaten");
      TXpElement* x = school->CreateChildElement(u"Schule");
      x->SetAttribute(u"Name", text(team->schoolName));
      x->SetAttribute(u"Liste", text(team->listName));
      x->SetAttribute(u"Reiter", text(team->tabName));
      school->CreateChildElement(u"Strasse")->SetAttribute(u"Name", text(team->street));
      x = school->CreateChildElement(u"Ort");
      x->SetAttribute(u"Name", text(team->town));
      x->SetAttribute(u"Bez", text(team->Bez));
      x->SetAttribute(u"Kre", text(team->Kre));
      x->SetAttribute(u"Bla", text(team->Bla));
      school->CreateChildElement(u"EMail")->SetAttribute(u"Mail", text(team->mail));
      x = school->CreateChildElement(u"Betreuer");
      x->SetAttribute(u"Name", text(team->supervisor));
      x->SetAttribute(u"Tel1", text(team->tel1));
      x->SetAttribute(u"Tel2", text(team->tel2));
      x = school->CreateChildElement(u"Staffelzeiten");
      x->SetAttribute(u"Staffel1", number(team->relayTimes[0]));
      x->SetAttribute(u"Staffel2", number(team->relayTimes[1]));

      for (const AthleteRecord* a : listed) {
        if (!a) continue;
        TXpElement* p = e->CreateChildElement(u"Teilnehmer");
        p->SetAttribute(u"Name", text(a->name));
        p->SetAttribute(u"JG", text(a->JG));
        p->SetAttribute(u"Klasse", text(a->schoolClass));
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

bool EntryFileWriter::WriteEntryFile(TXpObjModel& xml, const std::string& path) const {
  // The document is written into memory and then saved whole: a temporary
  // file beside the target, flushed to the disk and renamed over the old one.
  bool saved = false;
  try {
    BuildDocument(xml);
    TMemoryStream bytes;
    xml.SaveToStream(bytes);
    saved = kel::WriteWholeFile(path, bytes.Memory(), static_cast<size_t>(bytes.Size()));
  } catch (const std::exception&) {
    saved = false;
  }
  xml.ClearDocument();
  return saved;
}
