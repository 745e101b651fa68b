#include "xml/dom/XpObjModel.h"

#include <atomic>
#include <filesystem>
#include <fstream>

#include "classlib/Exception.h"
#include "classlib/Format.h"
#include "xml/dom/XpCharClasses.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpMessages.h"
#include "xml/dom/XpOutCharFilter.h"

namespace fs = std::filesystem;

TXpObjModel::TXpObjModel(TComponent* owner) : TXpComponent(owner), FDocument(new TXpDocument()) {
  for (TStringList* list : {&FElementList, &FAttributeList}) {
    list->SetCaseSensitive(true);
    list->SetSorted(true);
  }
}

TXpObjModel::~TXpObjModel() { FDocument->Release(); }

void TXpObjModel::SetDocument(TXpDocument* doc) {
  if (!doc || doc == FDocument) return;
  doc->AddRef();
  FDocument->Release();
  FDocument = doc;
}

void TXpObjModel::ClearDocument() { FDocument->RemoveAll(); }

// --- loading ---

void TXpObjModel::omLoadInit() {
  ClearDocument();
  FErrors.Clear();
  FStyleSheets.Empty();
}

// LoadDataSource, omLoadInContext, LoadStream and LoadMemory are built by
// the parser library (xml/parser), which a program that loads links.

AnsiString TXpObjModel::GetErrorMsg(int32_t index) const {
  if (index < 0 || index >= FErrors.Count()) return XpLoadStr(XpRes::_sIndexOutOfBounds);
  return FErrors.Strings(index);
}

void TXpObjModel::omOnPreserveSpace(TObject* sender, const WideString& elementName,
                                    bool& preserve) {
  if (elementName == u"xsl:text")
    preserve = true;
  else if (OnPreserveSpace)
    OnPreserveSpace(sender, elementName, preserve);
}

// --- saving ---

WideString TXpObjModel::omGetXpDocument() const {
  WideString out;
  const TXpNodeList* children = FDocument->ChildNodes();
  for (int32_t i = 0; i < children->nlGetLength(); ++i) {
    if (i > 0) out += u"\r\n";
    children->Item(i)->noomGetXpDocument(out);
  }
  return out;
}

namespace {

// The encoding the document's XML declaration names, or ceUnknown.
TXpCharEncoding DeclaredEncoding(const TXpDocument* doc) {
  const TXpNode* first = doc->noGetFirstChild();
  if (!first || first->NodeType() != PROCESSING_INSTRUCTION_NODE || first->NodeName() != u"xml")
    return ceUnknown;
  const std::u16string& data = first->NodeValue();
  const size_t key = data.find(u"encoding");
  if (key == std::u16string::npos) return ceUnknown;
  size_t i = key + 8;
  auto skipBlanks = [&] {
    while (i < data.size() && XPIsSpace(data[i])) ++i;
  };
  skipBlanks();
  if (i >= data.size() || data[i] != u'=') return ceUnknown;
  ++i;
  skipBlanks();
  if (i >= data.size() || (data[i] != u'"' && data[i] != u'\'')) return ceUnknown;
  const size_t end = data.find(data[i], i + 1);
  if (end == std::u16string::npos) return ceUnknown;
  const std::u16string name = data.substr(i + 1, end - i - 1);
  const TXpCharEncoding enc = XpMapStringToCharEnc(name);
  return enc == ceUTF8 && WideUpperCase(name) != u"UTF-8" ? ceUnknown : enc;
}

}  // namespace

void TXpObjModel::omWriteDocument(TStream& stream) const {
  // The markup goes to the filter in pieces as the writer produces it, so a
  // large document is never held whole in memory.
  // Both buffers stay below the size for which the C library maps fresh
  // pages, so each save reuses memory a previous one freed instead of
  // faulting in and zeroing new pages.
  constexpr int32_t kFilterBuffer = 1 << 16;
  TXpOutCharFilter filter(&stream, kFilterBuffer);
  filter.SetWriteUTF8Signature(FWriteUTF8Signature);
  const TXpStreamFormat format = MapCharEncToStreamFormat(FOutCharSet);
  const TXpCharEncoding declared = DeclaredEncoding(FDocument);
  // A declaration naming another encoding than the one written makes the
  // file unreadable.
  if (declared != ceUnknown &&
      MapCharEncToStreamFormat(declared) != (format == sfUTF16BE ? sfUTF16LE : format))
    throw EXpException(XpLoadStr(XpRes::_sInvalidCharEncoding));
  filter.csSetFormat(format);
  // Without a declaration naming it, a reader takes the file for UTF-8:
  // bytes from 0x80 up (in comments, CDATA, names) would be ill-formed.
  filter.SetAsciiOnly(format == sfISO88591 && declared != ceISO88591);
  struct SinkGuard {
    TXpDocument* doc;
    ~SinkGuard() {
      doc->FMarkupSink = nullptr;
      doc->FMarkupBuffer = nullptr;
    }
  } guard{FDocument};
  // The markup buffer of the last save on this thread is used again.
  static thread_local std::u16string tMarkup;
  std::u16string markup;
  markup.swap(tMarkup);
  markup.clear();
  markup.reserve(1 << 15);
  FDocument->FMarkupSink = [&filter](std::u16string& piece) { filter.PutString(piece); };
  FDocument->FMarkupBuffer = &markup;
  const TXpNodeList* children = FDocument->ChildNodes();
  for (int32_t i = 0; i < children->nlGetLength(); ++i) {
    if (i > 0) markup += u"\r\n";
    children->Item(i)->noomGetXpDocument(markup);
  }
  filter.PutString(markup);
  filter.Flush();
  markup.swap(tMarkup);
}

bool TXpObjModel::SaveToStream(TStream& stream) {
  omWriteDocument(stream);
  return true;
}

namespace {

bool StartsWithNoCase(const WideString& s, const char16_t* prefix) {
  const WideString p(prefix);
  return s.size() >= p.size() && WideUpperCase(s.substr(0, p.size())) == p;
}

// A write-only stream over a file named by a full Unicode path.
class TOutFileStream : public TStream {
public:
  explicit TOutFileStream(const fs::path& path) : FOut(path, std::ios::binary | std::ios::trunc) {}
  bool IsOpen() const { return FOut.is_open(); }
  bool Close() {
    FOut.close();
    return !FOut.fail();
  }
  int32_t Read(void*, int32_t) override { return 0; }
  int32_t Write(const void* buffer, int32_t count) override {
    FOut.write(static_cast<const char*>(buffer), count);
    if (!FOut) return 0;
    FSize += count;
    return count;
  }
  int64_t Seek(int64_t, TSeekOrigin) override { return FSize; }
  void SetSize(int64_t) override {}

private:
  std::ofstream FOut;
  int64_t FSize = 0;
};

// A name for a new file beside target that no file has yet.
fs::path TemporaryBeside(const fs::path& target) {
  static std::atomic<uint32_t> counter{0};
  for (;;) {
    fs::path name = target;
    name += u".~" + WideString(1, static_cast<char16_t>(u'a' + counter++ % 26)) + u"tmp";
    std::error_code ec;
    if (!fs::exists(name, ec)) return name;
  }
}

}  // namespace

bool TXpObjModel::SaveToFile(const WideString& path) {
  if (StartsWithNoCase(path, u"FTP://")) {
    // Saving over FTP is not available in this build of the library.
    throw EXpException(FormatRuntime(XpLoadStr(XpRes::_sFtpPutFileFailed).c_str(),
                                     WideToAnsi(path.substr(6)).c_str()));
  }
  WideString local = path;
  if (StartsWithNoCase(local, u"FILE://")) local.erase(0, 7);

  fs::path target;
  try {
    target = fs::path(local);
  } catch (const std::exception&) {
    // A name the file system cannot take (a lone surrogate, say).
    throw EFCreateError(Format("Datei %s kann nicht erstellt werden", WideToAnsi(local).c_str()));
  }
  const fs::path temp = TemporaryBeside(target);
  try {
    TOutFileStream out(temp);
    if (!out.IsOpen())
      throw EFCreateError(Format("Datei %s kann nicht erstellt werden", WideToAnsi(local).c_str()));
    omWriteDocument(out);
    if (!out.Close())
      throw EWriteError("Stream-Schreibfehler");
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) throw EFCreateError(Format("Datei %s kann nicht erstellt werden", WideToAnsi(local).c_str()));
  } catch (...) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    throw;
  }
  return true;
}
