#include "xml/dom/XpObjModel.h"

#include <atomic>
#include <filesystem>
#include <fstream>

#include "classlib/Exception.h"
#include "classlib/Format.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpMessages.h"
#include "xml/dom/XpOutCharFilter.h"

namespace fs = std::filesystem;

TXpObjModel::TXpObjModel(TComponent* owner) : TXpComponent(owner), FDocument(new TXpDocument()) {}

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
}

bool TXpObjModel::omLoadUnavailable() {
  const AnsiString text = "XML parser not available";
  FErrors.Add(text);
  if (FRaiseErrors) throw EXpException(text);
  return false;
}

bool TXpObjModel::LoadDataSource(const WideString&) {
  omLoadInit();
  return omLoadUnavailable();
}

bool TXpObjModel::LoadStream(TStream&) {
  omLoadInit();
  FDocument->SetDocLocation(WideString());
  return omLoadUnavailable();
}

bool TXpObjModel::LoadMemory(const void*, int32_t) {
  omLoadInit();
  FDocument->SetDocLocation(WideString());
  return omLoadUnavailable();
}

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

void TXpObjModel::omWriteText(TStream& stream, const WideString& text) const {
  const int64_t size = static_cast<int64_t>(text.size()) * 2;
  TXpOutCharFilter filter(&stream, static_cast<int32_t>(std::min<int64_t>(size + 16, 1 << 30)));
  filter.SetWriteUTF8Signature(FWriteUTF8Signature);
  filter.csSetFormat(MapCharEncToStreamFormat(FOutCharSet));
  filter.PutString(text);
  filter.Flush();
}

bool TXpObjModel::SaveToStream(TStream& stream) {
  omWriteText(stream, omGetXpDocument());
  return true;
}

namespace {

bool StartsWithNoCase(const WideString& s, const char16_t* prefix) {
  const WideString p(prefix);
  return s.size() >= p.size() && WideUpperCase(s.substr(0, p.size())) == p;
}

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
  const WideString text = omGetXpDocument();
  if (StartsWithNoCase(path, u"FTP://")) {
    // Saving over FTP is not available in this build of the library.
    throw EXpException(FormatRuntime(XpLoadStr(XpRes::_sFtpPutFileFailed),
                                     WideToAnsi(path.substr(6)).c_str()));
  }
  WideString local = path;
  if (StartsWithNoCase(local, u"FILE://")) local.erase(0, 7);

  TMemoryStream bytes;
  omWriteText(bytes, text);

  const fs::path target(local);
  const fs::path temp = TemporaryBeside(target);
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) throw EFCreateError(Format("Cannot create file \"%s\"", WideToAnsi(local).c_str()));
    out.write(static_cast<const char*>(bytes.Memory()), static_cast<std::streamsize>(bytes.Size()));
    out.close();
    if (!out) {
      std::error_code ec;
      fs::remove(temp, ec);
      throw EWriteError(Format("Cannot write file \"%s\"", WideToAnsi(local).c_str()));
    }
  }
  std::error_code ec;
  fs::rename(temp, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    throw EFCreateError(Format("Cannot create file \"%s\"", WideToAnsi(local).c_str()));
  }
  return true;
}
