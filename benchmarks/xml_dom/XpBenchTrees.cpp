#include "XpBenchTrees.h"

#include <cstdio>

#include "classlib/AnsiString.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpNodePool.h"
#include "xml/dom/XpProcessingInstruction.h"

namespace {

std::u16string Num(int n) { return Utf8ToWide(std::to_string(n)); }

struct Texts {
  std::u16string school(int i) const { return u"St\u00e4dtische Realschule Nr. " + Num(i); }
  std::u16string city = u"\u00dcberlingen am Bodensee";
  std::u16string team(int j) const { return u"WK III - Mannschaft " + Num(j); }
  std::u16string coach = u"Frau K\u00f6nig & Herr \"Gro\u00df\"";
  std::u16string athlete(int k) const { return u"J\u00f6rg M\u00fc\u00dfig-\u00c7elik " + Num(k); }
  std::u16string result = u"Weitsprung 4,52 m \u00b7 800 m 2:31,4 min - \u00bd Runde";
};

TXpElement* Start(TXpDocument* doc, const char16_t* rootName) {
  TXpProcessingInstruction* pi = doc->CreateProcessingInstruction(u"xml", u"version=\"1.0\"");
  doc->AppendChild(pi);
  pi->Release();
  TXpElement* root = doc->CreateElement(rootName);
  doc->AppendChild(root);
  root->Release();
  return root;
}

#ifndef KEL_BENCH_WITHOUT_LIBXML2
// libxml2 takes UTF-8; the strings live until the call returns.
struct X {
  explicit X(const std::u16string& s) : utf8(WideToUtf8(s)) {}
  explicit X(const char* s) : utf8(s) {}
  operator const xmlChar*() const { return reinterpret_cast<const xmlChar*>(utf8.c_str()); }
  std::string utf8;
};

#endif
}  // namespace

void BuildSchools(TXpDocument* doc, int schools) {
  TXpElement* root = Start(doc, u"Meldebogen");
  root->SetAttribute(u"VeranstID", u"4711");
  const Texts t;
  for (int i = 0; i < schools; ++i) {
    TXpElement* school = root->CreateChildElement(u"Schule");
    school->SetAttribute(u"Nr", Num(i));
    school->SetAttribute(u"Name", t.school(i));
    school->SetAttribute(u"Ort", t.city);
    for (int j = 0; j < 12; ++j) {
      TXpElement* team = school->CreateChildElement(u"Mannschaft");
      team->SetAttribute(u"Name", t.team(j));
      team->SetAttribute(u"Betreuer", t.coach);
      for (int k = 0; k < 13; ++k) {
        TXpElement* athlete = team->CreateChildElement(u"Teilnehmer");
        athlete->SetAttribute(u"Name", t.athlete(k));
        athlete->SetAttribute(u"Jahrgang", u"2010");
        athlete->CreateChildText(t.result);
      }
    }
  }
}

#ifndef KEL_BENCH_WITHOUT_LIBXML2
xmlDocPtr BuildSchoolsLibXml2(int schools) {
  xmlDocPtr doc = xmlNewDoc(X("1.0"));
  xmlNodePtr root = xmlNewNode(nullptr, X("Meldebogen"));
  xmlDocSetRootElement(doc, root);
  xmlNewProp(root, X("VeranstID"), X("4711"));
  const Texts t;
  for (int i = 0; i < schools; ++i) {
    xmlNodePtr school = xmlNewChild(root, nullptr, X("Schule"), nullptr);
    xmlNewProp(school, X("Nr"), X(Num(i)));
    xmlNewProp(school, X("Name"), X(t.school(i)));
    xmlNewProp(school, X("Ort"), X(t.city));
    for (int j = 0; j < 12; ++j) {
      xmlNodePtr team = xmlNewChild(school, nullptr, X("Mannschaft"), nullptr);
      xmlNewProp(team, X("Name"), X(t.team(j)));
      xmlNewProp(team, X("Betreuer"), X(t.coach));
      for (int k = 0; k < 13; ++k) {
        xmlNodePtr athlete = xmlNewChild(team, nullptr, X("Teilnehmer"), nullptr);
        xmlNewProp(athlete, X("Name"), X(t.athlete(k)));
        xmlNewProp(athlete, X("Jahrgang"), X("2010"));
        xmlAddChild(athlete, xmlNewText(X(t.result)));
      }
    }
  }
  return doc;
}

#endif

void BuildEntryFile(TXpDocument* doc) {
  TXpElement* root = Start(doc, u"Meldebogen");
  root->SetAttribute(u"Sportart", u"LA");
  root->SetAttribute(u"Creator", u"Zavrolin");
  root->SetAttribute(u"ID", u"12654");
  root->SetAttribute(u"Version", u"1.0");
  TXpElement* id = root->CreateChildElement(u"VeranstID");
  id->SetAttribute(u"LBK", u"Kreis S\u00fcd");
  id->SetAttribute(u"Data", u"{8F3A-22C1}");
  // 439 disciplines over 12 classes; 17,721 entries over 3,120 athletes.
  TXpElement* defs = root->CreateChildElement(u"Definitionen");
  for (int c = 0; c < 12; ++c) {
    TXpElement* k = defs->CreateChildElement(u"Wettkampfklasse");
    k->SetAttribute(u"Name", u"WK " + Num(c + 1) + u" M\u00e4dchen");
    k->SetAttribute(u"Index", Num(c));
    k->SetAttribute(u"Modus", Num(c % 3));
    for (int d = 0; d < (c < 7 ? 37 : 36); ++d)
      k->CreateChildElement(u"Disziplin")->SetAttribute(u"Name", u"Disziplin " + Num(d));
  }
  TXpElement* entries = root->CreateChildElement(u"Meldungen");
  int athletes = 0;
  for (int c = 0; c < 12; ++c) {
    for (int t = 0; t < 20; ++t) {
      TXpElement* e = entries->CreateChildElement(u"Mannschaft");
      e->SetAttribute(u"Klasse", u"WK " + Num(c + 1) + u" M\u00e4dchen");
      e->SetAttribute(u"Index", Num(c));
      TXpElement* school = e->CreateChildElement(u"Schuldaten");
      TXpElement* x = school->CreateChildElement(u"Schule");
      x->SetAttribute(u"Name", u"Gymnasium am K\u00f6nigsplatz " + Num(t));
      x->SetAttribute(u"Liste", u"Liste " + Num(t));
      x->SetAttribute(u"Reiter", u"Reiter " + Num(t));
      school->CreateChildElement(u"Strasse")->SetAttribute(u"Name", u"Hauptstra\u00dfe 12");
      x = school->CreateChildElement(u"Ort");
      x->SetAttribute(u"Name", u"12345 M\u00fcnster");
      x->SetAttribute(u"Bez", u"M\u00fcnster");
      x->SetAttribute(u"Kre", u"Kreis M\u00fcnster");
      x->SetAttribute(u"Bla", u"NW");
      school->CreateChildElement(u"EMail")->SetAttribute(u"Mail", u"sport@schule.example");
      x = school->CreateChildElement(u"Betreuer");
      x->SetAttribute(u"Name", u"Frau M\u00fcller-L\u00fcdenscheidt");
      x->SetAttribute(u"Tel1", u"0251 123456");
      x->SetAttribute(u"Tel2", u"0171 9876543");
      x = school->CreateChildElement(u"Staffelzeiten");
      x->SetAttribute(u"Staffel1", u"5432");
      x->SetAttribute(u"Staffel2", u"0");
      for (int m = 0; m < 13; ++m, ++athletes) {
        TXpElement* p = e->CreateChildElement(u"Teilnehmer");
        p->SetAttribute(u"Name", u"J\u00f6rg Sch\u00e4fer " + Num(m));
        p->SetAttribute(u"JG", u"2011");
        p->SetAttribute(u"Klasse", u"6b");
        for (int k = 0; k < (athletes < 2121 ? 6 : 5); ++k) {
          TXpElement* r = p->CreateChildElement(u"Meldung");
          r->SetAttribute(u"Disziplin", Num(k));
          r->SetAttribute(u"Leistung", Num(1000 + 37 * k + m));
        }
      }
    }
  }
}

#ifndef KEL_BENCH_WITHOUT_LIBXML2
#include <malloc.h>
#include <unistd.h>

int64_t ResidentBytes() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return static_cast<int64_t>(resident) * sysconf(_SC_PAGESIZE);
}

void ReleaseFreeMemory() {
  XpReleaseNodeCache();
  malloc_trim(0);
}
#endif
