#include "app/core/EntryFileWriter.h"

#include "app/core/FieldText.h"
#include "app/core/FileSystem.h"
#include "app/core/Memory.h"
#include "classlib/Stream.h"
#include "xml/dom/XpDocument.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpNodeRef.h"
#include "xml/dom/XpObjModel.h"
#include "xml/dom/XpProcessingInstruction.h"

#include <algorithm>
#include <array>
#include <exception>
#include <string_view>
#include <utility>

namespace {

// The values of the attributes are built in one buffer that every attribute
// reuses: the node keeps its own copy.
class ValueBuffer {
public:
  ValueBuffer() { value_.reserve(64); }

  // A text as the document takes it: Windows-1252 turned into UTF-16, and
  // the control characters XML 1.0 does not allow (all below 0x20 but TAB,
  // LF and CR) turned into blanks, so that the file always parses.
  const WideString& text(std::string_view s) {
    static const std::array<char16_t, 256> kChars = [] {
      std::array<char16_t, 256> chars{};
      for (int b = 0; b < 256; ++b) {
        const bool allowed = b >= 0x20 || b == 0x09 || b == 0x0A || b == 0x0D;
        chars[b] = allowed ? AnsiCharToWide(static_cast<unsigned char>(b)) : u' ';
      }
      return chars;
    }();
    value_.resize(s.size());
    char16_t* out = value_.data();
    for (char ch : s) *out++ = kChars[static_cast<unsigned char>(ch)];
    return value_;
  }

  template <size_t N>
  const WideString& text(const char (&field)[N]) {
    return text(std::string_view(field, FieldLength(field)));
  }

  const WideString& number(int32_t v) {
    char16_t digits[12];
    char16_t* end = digits + 12;
    char16_t* p = end;
    // Counted in unsigned arithmetic so that the lowest value has a sign too.
    uint32_t magnitude = v < 0 ? 0u - static_cast<uint32_t>(v) : static_cast<uint32_t>(v);
    do {
      *--p = static_cast<char16_t>(u'0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude);
    if (v < 0) *--p = u'-';
    value_.assign(p, end);
    return value_;
  }

private:
  WideString value_;
};

bool named(const char* field) { return field[0] != '\0'; }

// The names of the document, made once rather than for each node.
struct Names {
  const WideString Meldebogen = u"Meldebogen", Sportart = u"Sportart", Creator = u"Creator", ID = u"ID",
                   Version = u"Version", VeranstID = u"VeranstID", LBK = u"LBK", Data = u"Data",
                   Definitionen = u"Definitionen", Wettkampfklasse = u"Wettkampfklasse", Name = u"Name",
                   Index = u"Index", Modus = u"Modus", Disziplin = u"Disziplin", Meldungen = u"Meldungen",
                   Mannschaft = u"Mannschaft", Klasse = u"Klasse", Schuldaten = u"Schuldaten",
                   Schule = u"Schule", Liste = u"Liste", Reiter = u"Reiter", Strasse = u"Strasse", Ort = u"Ort",
                   Bez = u"Bez", Kre = u"Kre", Bla = u"Bla", EMail = u"EMail", Mail = u"Mail",
                   Betreuer = u"Betreuer", Tel1 = u"Tel1", Tel2 = u"Tel2", Staffelzeiten = u"Staffelzeiten",
                   Staffel1 = u"Staffel1", Staffel2 = u"Staffel2", Teilnehmer = u"Teilnehmer", JG = u"JG",
                   Meldung = u"Meldung", Leistung = u"Leistung";
};

const Names& N() {
  static const Names names;
  return names;
}

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
  const Names& n = N();
  ValueBuffer v;

  doc->AppendChild(
      TXpNodeRef<>::Adopt(doc->CreateProcessingInstruction(u"xml", u"version=\"1.0\"")).Get());

  auto made = TXpNodeRef<TXpElement>::Adopt(doc->CreateElement(n.Meldebogen));
  made->SetAttribute(n.Sportart, u"LA");
  made->SetAttribute(n.Creator, u"Zavrolin");
  made->SetAttribute(n.ID, u"12654");
  made->SetAttribute(n.Version, u"1.0");
  doc->AppendChild(made.Get());
  TXpElement* root = made.Get();  // the tree holds it from here on
  TXpElement* id = root->CreateChildElement(n.VeranstID);
  id->SetAttribute(n.LBK, v.text(districtPreset_));
  id->SetAttribute(n.Data, v.text(VID_));

  // The counts of the event table are bounded by the record sizes.
  const int32_t classes = std::clamp<int32_t>(def_.classCount, 0, kMaxClasses);
  TXpElement* defs = root->CreateChildElement(n.Definitionen);
  for (int32_t c = 0; c < classes; ++c) {
    if (!classTicked(c)) continue;
    const ClassRecord& cls = def_.classes[c];
    TXpElement* k = defs->CreateChildElement(n.Wettkampfklasse);
    k->SetAttribute(n.Name, v.text(cls.name));
    k->SetAttribute(n.Index, v.number(cls.Index));
    k->SetAttribute(n.Modus, v.number(cls.Modus));
    const int32_t disciplines = std::clamp<int32_t>(cls.disciplineCount, 0, kMaxDisciplines);
    for (int32_t d = 0; d < disciplines; ++d)
      k->CreateChildElement(n.Disziplin)->SetAttribute(n.Name, v.text(def_.disciplines[c][d].name));
  }

  TXpElement* entries = root->CreateChildElement(n.Meldungen);
  for (int32_t c = 0; c < classes; ++c) {
    const ClassRecord& cls = def_.classes[c];
    // The athletes that decide whether a team is written are the ones that
    // are listed: members 0 .. athletes per team - 1.
    const int32_t members = std::clamp<int32_t>(cls.athletesPerTeam, 0, kMaxAthletes);
    const WideString className = v.text(cls.name);
    const WideString classIndex = v.number(cls.Index);
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

      TXpElement* e = entries->CreateChildElement(n.Mannschaft);
      e->SetAttribute(n.Klasse, className);
      e->SetAttribute(n.Index, classIndex);
      TXpElement* school = e->CreateChildElement(n.Schuldaten);
      TXpElement* x = school->CreateChildElement(n.Schule);
      x->SetAttribute(n.Name, v.text(team->schoolName));
      x->SetAttribute(n.Liste, v.text(team->listName));
      x->SetAttribute(n.Reiter, v.text(team->tabName));
      school->CreateChildElement(n.Strasse)->SetAttribute(n.Name, v.text(team->street));
      x = school->CreateChildElement(n.Ort);
      x->SetAttribute(n.Name, v.text(team->town));
      x->SetAttribute(n.Bez, v.text(team->Bez));
      x->SetAttribute(n.Kre, v.text(team->Kre));
      x->SetAttribute(n.Bla, v.text(team->Bla));
      school->CreateChildElement(n.EMail)->SetAttribute(n.Mail, v.text(team->mail));
      x = school->CreateChildElement(n.Betreuer);
      x->SetAttribute(n.Name, v.text(team->supervisor));
      x->SetAttribute(n.Tel1, v.text(team->tel1));
      x->SetAttribute(n.Tel2, v.text(team->tel2));
      x = school->CreateChildElement(n.Staffelzeiten);
      x->SetAttribute(n.Staffel1, v.number(team->relayTimes[0]));
      x->SetAttribute(n.Staffel2, v.number(team->relayTimes[1]));

      for (const AthleteRecord* a : listed) {
        if (!a) continue;
        TXpElement* p = e->CreateChildElement(n.Teilnehmer);
        p->SetAttribute(n.Name, v.text(a->name));
        p->SetAttribute(n.JG, v.text(a->JG));
        p->SetAttribute(n.Klasse, v.text(a->schoolClass));
        for (int32_t k = 0; k < kMaxDisciplines; ++k) {
          if (!(a->mask & (1u << k))) continue;
          TXpElement* r = p->CreateChildElement(n.Meldung);
          r->SetAttribute(n.Disziplin, v.number(k));
          r->SetAttribute(n.Leistung, v.number(a->Leistung[k]));
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
