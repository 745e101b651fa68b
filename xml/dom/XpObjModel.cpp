#include "xml/dom/XpObjModel.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <random>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "classlib/Exception.h"
#include "classlib/Format.h"
#include "xml/dom/XpCharClasses.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpMessages.h"
#include "xml/dom/XpNetTransfer.h"
#include "xml/dom/XpNodeWriter.h"
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
  // The markup goes to the filter as the writer produces it, so a large
  // document is never held whole in memory. The filter's buffer stays below
  // the size for which the C library maps fresh pages, so each save reuses
  // memory a previous one freed instead of faulting in and zeroing new pages.
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
  // The writer encodes each piece of markup straight into the filter's
  // buffer as it walks the tree.
  const TXpNodeList* children = FDocument->ChildNodes();
  for (int32_t i = 0; i < children->nlGetLength(); ++i) {
    if (i > 0) filter.PutAscii(u"\r\n", 2);
    XpWriteNode(filter, children->Item(i));
  }
  filter.Flush();
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

// A write-only stream over a temporary file beside the target: created
// exclusively under a name no other save uses, flushed to the disk before
// it is renamed over the target, so that neither a crash nor a power loss
// leaves a half-written file in the target's place.
class TTempFileStream : public TStream {
public:
  explicit TTempFileStream(const fs::path& target) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    RemoveStale(folder, target.filename().native());
    // 64 random bits make a clash all but impossible; a few tries cover one.
    for (int attempt = 0; attempt < 8 && !FFile; ++attempt) {
      FPath = target;
      FPath += UniqueSuffix();
      FFile = CreateNew(FPath);
    }
  }
  ~TTempFileStream() override {
    if (FFile) std::fclose(FFile);
    if (!FKept) {
      std::error_code ignored;
      fs::remove(FPath, ignored);
    }
  }
  bool IsOpen() const { return FFile != nullptr; }
  // Flushes the bytes to the disk and closes the file; false when the disk
  // did not take them all.
  bool Finish() {
    bool ok = std::fflush(FFile) == 0 && SyncToDisk(FFile);
    ok = std::fclose(FFile) == 0 && ok;
    FFile = nullptr;
    return ok;
  }
  // Moves the finished file over the target. Until this succeeds the target
  // is untouched; the temporary file is removed when it fails.
  bool Replace(const fs::path& target) {
    std::error_code ec;
    fs::rename(FPath, target, ec);
    FKept = !ec;
    return FKept;
  }
  int32_t Read(void*, int32_t) override { return 0; }
  int32_t Write(const void* buffer, int32_t count) override {
    if (count <= 0) return 0;
    if (std::fwrite(buffer, 1, static_cast<size_t>(count), FFile) != static_cast<size_t>(count)) return 0;
    FSize += count;
    return count;
  }
  int64_t Seek(int64_t, TSeekOrigin) override { return FSize; }
  void SetSize(int64_t) override {}

private:
  // "<target>.~kel<16 hex digits>.tmp": the mark all of the program's
  // temporary files carry.
  static fs::path::string_type UniqueSuffix() {
    static std::mt19937_64 gen = [] {
      std::random_device rd;
      const auto t = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
      return std::mt19937_64((static_cast<uint64_t>(rd()) << 32) ^ rd() ^ t);
    }();
    static std::mutex guard;
    uint64_t bits;
    {
      std::lock_guard<std::mutex> lock(guard);
      bits = gen();
    }
    char hex[32];
    std::snprintf(hex, sizeof hex, ".~kel%016llx.tmp", static_cast<unsigned long long>(bits));
    return fs::path(hex).native();
  }

  // Removes what interrupted saves of this target left behind: the
  // program's marked temporary files and the single-letter ones of older
  // versions ("<target>.~atmp" to "<target>.~ztmp").
  static void RemoveStale(const fs::path& folder, const fs::path::string_type& name) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      const fs::path::string_type other = it->path().filename().native();
      if (other.size() <= name.size() || other.compare(0, name.size(), name) != 0) continue;
      const fs::path::string_type tail = other.substr(name.size());
      const auto at = [&tail](size_t i, const char* text) {
        for (size_t k = 0; text[k]; ++k)
          if (i + k >= tail.size() || tail[i + k] != static_cast<fs::path::value_type>(text[k])) return false;
        return true;
      };
      const bool marked = tail.size() == 25 && at(0, ".~kel") && at(21, ".tmp");
      const bool lettered = tail.size() == 6 && at(0, ".~") && tail[2] >= 'a' && tail[2] <= 'z' && at(3, "tmp");
      std::error_code ignored;
      if (marked || lettered) fs::remove(it->path(), ignored);
    }
  }

  static std::FILE* CreateNew(const fs::path& path) {
#ifdef _WIN32
    const int fd = _wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    std::FILE* f = _fdopen(fd, "wb");
    if (!f) _close(fd);
#else
    const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
    if (fd < 0) return nullptr;
    std::FILE* f = fdopen(fd, "wb");
    if (!f) ::close(fd);
#endif
    return f;
  }

  static bool SyncToDisk(std::FILE* f) {
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
  }

  fs::path FPath;
  std::FILE* FFile = nullptr;
  int64_t FSize = 0;
  bool FKept = false;
};

}  // namespace

bool TXpObjModel::SaveToFile(const WideString& path) {
  if (StartsWithNoCase(path, u"FTP://")) {
    // The document goes to a temporary file, which is uploaded and then
    // deleted; a failed upload adds its message to Errors.
    const AnsiString temp = XpGenTemporaryFile();
    if (temp.empty()) throw EFCreateError("Temporäre Datei kann nicht erstellt werden");
    bool ok = false;
    try {
      TMemoryStream bytes;
      omWriteDocument(bytes);
      std::FILE* f = std::fopen(temp.c_str(), "wb");
      const size_t size = static_cast<size_t>(bytes.Size());
      const bool written = f && std::fwrite(bytes.Memory(), 1, size, f) == size;
      if (f && std::fclose(f) != 0) throw EWriteError("Stream-Schreibfehler");
      if (!written) throw EWriteError("Stream-Schreibfehler");
      ok = XpSaveToFTP(WideToAnsi(path.substr(6)), FUserName, FPassword, temp, FErrors);
    } catch (...) {
      std::remove(temp.c_str());
      throw;
    }
    std::remove(temp.c_str());
    return ok;
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
  TTempFileStream out(target);
  if (!out.IsOpen())
    throw EFCreateError(Format("Datei %s kann nicht erstellt werden", WideToAnsi(local).c_str()));
  omWriteDocument(out);
  if (!out.Finish()) throw EWriteError("Stream-Schreibfehler");
  if (!out.Replace(target))
    throw EFCreateError(Format("Datei %s kann nicht erstellt werden", WideToAnsi(local).c_str()));
  return true;
}
