#include "components/buttonedits/runtime/ResourceStrings.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <iterator>

#include "classlib/Format.h"

namespace {

struct Entry {
  int32_t Id;
  const char* Text;
};

// Sorted by id.
constexpr Entry kTexts[] = {
    {64461, "Vorgabe"},
    {64577, "Der Index der Liste überschreitet das Maximum (%d)"},
    {65163, "Verzeichniss wählen"},
    {65185, "\r\nFehler code : %d"},
    {65186, "kann Datei nicht zum Schreiben öffnen"},
    {65187, "Can't map file"},
    {65188, "Kann MapViewOfFile nicht ausführen"},
    {65189, "Falsches Dateiformat"},
    {65190, "Diese Datei enthält keine Resourcen"},
    {65191, "Resource nicht gefunden"},
    {65208, "Stapelspeicher ist leer"},
    {65210, "Dieser Typ wird nicht durch WriteToRegistry unterstützt"},
    {65264, "Fehler beim Lesen der Eigenschaften"},
    {65265, "Kann doppeltes Element nicht einfügen"},
    {65267, "Laden von \"%s\" gescheitert"},
    {65268, "%s Prozedur nicht gefunden in \"%s\""},
    {65269, "Aufruf von %s scheiterte in \"%s\""},
    {65288, "Kann Datei %S nicht löschen"},
    {65289, "Kann Datei %s nicht in %s umbenennen"},
    {65290, "Kann keinen vorläufigen Dateinamen erzeugen"},
    {65316, "Fehler in Eigenschaften stream"},
    {65321, "Kann Modul %s\r\n nicht öffnen Fehlercode : %d"},
    {65341, "Fehler beim Ändern der Resource"},
    {65447, "Ok"},
    {65448, "Abbruch"},
    {65449, "&Hilfe"},
};

// Rewrites each "%S" conversion to "%s": the C library would read a wide
// string for it.
AnsiString NormaliseFormat(const AnsiString& fmt) {
  AnsiString out(fmt);
  for (size_t i = 0; i < out.size(); ++i) {
    if (out[i] != '%') continue;
    size_t j = i + 1;
    if (j < out.size() && out[j] == '%') {
      i = j;
      continue;
    }
    while (j < out.size() && out[j] != '\0' && std::strchr("-+ #0123456789.*", out[j])) ++j;
    if (j < out.size() && out[j] == 'S') out[j] = 's';
    i = j;
  }
  return out;
}

}  // namespace

AnsiString LoadResString(const TResStringRec& rec) {
  auto it = std::lower_bound(std::begin(kTexts), std::end(kTexts), rec.Identifier,
                             [](const Entry& e, int32_t id) { return e.Id < id; });
  if (it == std::end(kTexts) || it->Id != rec.Identifier) return AnsiString();
  return it->Text;
}

AnsiString FormatResText(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  AnsiString r = FormatV(NormaliseFormat(fmt).c_str(), args);
  va_end(args);
  return r;
}

AnsiString ResStrFmt(TResStringRec rec, ...) {
  va_list args;
  va_start(args, rec);
  AnsiString r = FormatV(NormaliseFormat(LoadResString(rec)).c_str(), args);
  va_end(args);
  return r;
}
