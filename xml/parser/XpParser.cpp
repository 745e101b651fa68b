#include "xml/parser/XpParser.h"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

#include "classlib/Format.h"
#include "xml/dom/XpCharClasses.h"
#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpMessages.h"
#include "xml/parser/XpNetSource.h"

using namespace XpRes;
namespace fs = std::filesystem;

namespace {

inline bool IsWS(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// The UTF-16 units (1, or 2 for a surrogate pair) of the name character at
// t[p] of a text of n units, 0 when none starts there.
inline size_t NameStartAt(const char16_t* t, size_t p, size_t n) {
  const char16_t c = t[p];
  if (c < 0x80) return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c == u':';
  return XpNameCharLength(t, p, n, true);
}

inline size_t NameCharAt(const char16_t* t, size_t p, size_t n) {
  const char16_t c = t[p];
  if (c < 0x80)
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'_' || c == u':' || c == u'.' || c == u'-';
  return XpNameCharLength(t, p, n, false);
}

// The end of the run of name characters from t[p].
inline size_t SkipNameChars(const char16_t* t, size_t p, size_t n) {
  while (p < n)
    if (const size_t k = NameCharAt(t, p, n))
      p += k;
    else
      break;
  return p;
}

// The character at t[p] for a message: a surrogate pair whole.
WideString CharAt(const char16_t* t, size_t p, size_t n) {
  const bool pair = t[p] >= 0xD800 && t[p] <= 0xDBFF && p + 1 < n;
  return WideString(t + p, pair ? 2 : 1);
}

char16_t PredefinedEntity(const WideString& name) {
  if (name == u"lt") return u'<';
  if (name == u"gt") return u'>';
  if (name == u"amp") return u'&';
  if (name == u"apos") return u'\'';
  if (name == u"quot") return u'"';
  return 0;
}

// Drops the characters `isBlank` picks at both ends and makes each inner run
// of them one blank.
template <typename IsBlank>
void SqueezeBlanks(WideString& s, IsBlank isBlank) {
  size_t out = 0;
  bool pending = false;
  for (char16_t c : s) {
    if (isBlank(c)) {
      pending = out > 0;
      continue;
    }
    if (pending) s[out++] = u' ';
    pending = false;
    s[out++] = c;
  }
  s.resize(out);
}

// Collapses runs of blanks into one and trims them at both ends.
void CollapseBlanks(WideString& s) { SqueezeBlanks(s, [](char16_t c) { return c == u' '; }); }

// Leading and trailing whitespace removed, inner runs made one blank.
void NormalizeWhitespace(WideString& s) { SqueezeBlanks(s, IsWS); }

bool AllWhitespace(const WideString& s) {
  for (char16_t c : s)
    if (!IsWS(c)) return false;
  return true;
}

}  // namespace

// --- life cycle ---

TXpParser::TXpParser(TComponent* owner) : TXpComponent(owner) {}

TXpParser::~TXpParser() {
  Cleanup();
  for (int32_t i = 0; i < FTempFiles.Count(); ++i) {
    std::error_code ec;
    fs::remove(fs::path(FTempFiles.Strings(i)), ec);
  }
}

AnsiString TXpParser::GetErrorMsg(int32_t index) const {
  if (index < 0 || index >= FErrors.Count()) return XpLoadStr(_sIndexOutOfBounds);
  return FErrors.Strings(index);
}

void TXpParser::Initialize() {
  Cleanup();
  FData.clear();
  FInCDATA = false;
  FPreserve = false;
  FContentType = 0;
  FCommentSeen = false;
  FHasDTD = false;
  FDtdExternalDepth = 0;
  FIncludeDepth = 0;
  FExpanded = 0;
  FExternalLoads = 0;
  FExternalBytes = 0;
  FExpansionLimit = std::max<int64_t>(MaxEntityExpansion, 10 * static_cast<int64_t>(FInputSize));
}

void TXpParser::Cleanup() {
  FElements.clear();
  FElementList.clear();
  FEntities.clear();
  FParamEntities.clear();
  FNotations.clear();
  FOpen.clear();
  FOpenEntities.clear();
}

bool TXpParser::ParseStart() {
  FErrors.Clear();
  FStandalone = false;
  FInExternalEntity = false;
  FSources.clear();
  FDocContext.reset();
  return true;
}

bool TXpParser::ParseDataSource(const AnsiString& source) { return ParseInContext(nullptr, source); }

bool TXpParser::ParseInContext(TXpDirContext* context, const AnsiString& source) {
  ParseStart();
  bool loaded = false;
  try {
    auto ctx = std::make_shared<TXpDirContext>(context, source);
    auto src = std::make_unique<TXpInputSource>();
    src->External = true;
    src->URL = AnsiToWide(ctx->URL());
    src->Context = ctx;
    std::unique_ptr<TXpByteReader> reader;
    if (ctx->Kind() == xpdcHTTP || ctx->Kind() == xpdcFTP) {
      std::string bytes;
      AnsiString temp;
      bool fetched;
      try {
        fetched = XpNetLoad(*ctx, FUserName, FPassword, FErrors, bytes, temp);
      } catch (const EXpParserError& e) {
        FErrors.Add(WideToAnsi(e.Reason()));
        throw;
      }
      if (!fetched) {
        FErrors.Add(FormatRuntime(XpLoadStr(_sFileNotFound).c_str(), source.c_str()));
        throw EXpParserError(0, 0, AnsiToWide(FormatRuntime(XpLoadStr(_sFileNotFound).c_str(), ctx->URL().c_str())),
                             src->URL);
      }
      if (!temp.empty()) FTempFiles.Add(temp);
      reader = XpOwnedReader(std::move(bytes));
    } else {
      std::error_code ec;
      if (!fs::is_directory(fs::path(ctx->URL()), ec)) reader = XpFileReader(ctx->URL());
      if (!reader) {
        FErrors.Add(FormatRuntime(XpLoadStr(_sFileNotFound).c_str(), source.c_str()));
        throw EXpParserError(0, 0, AnsiToWide(FormatRuntime(XpLoadStr(_sFileNotFound).c_str(), ctx->URL().c_str())),
                             src->URL);
      }
    }
    FInputSize = static_cast<size_t>(std::max<int64_t>(reader->Size(), 0));
    FDocLocation = AnsiToWide(ctx->BasePath());
    FDocName = AnsiToWide(ctx->CurrentName());
    FDocContext = ctx;
    loaded = true;
    try {
      src->Open(std::move(reader), static_cast<size_t>(FBufferSize));
      FSources.push_back(std::move(src));
    } catch (...) {
      FSources.push_back(std::move(src));
      throw;
    }
  } catch (const EXpParserError& e) {
    if (!loaded) {
      FErrors.Add(XpLoadStr(_sSrcLoadFailed) + source);
      if (FRaiseErrors) throw;
      return false;
    }
    // Bytes that do not decode are a parse error of the document.
    FErrors.Add(FormatRuntime(XpLoadStr(_sFmtErrorMsg).c_str(), WideToAnsi(e.URL()).c_str(), e.Line(), e.Column(),
                              WideToAnsi(e.Reason()).c_str()));
    if (OnStartDocument) OnStartDocument(this);
    if (OnEndDocument) OnEndDocument(this);
    FInCharSet = ceUnknown;
    FSources.clear();
    if (FRaiseErrors) throw;
    return false;
  } catch (const EXpException& e) {
    FErrors.Add(e.Message());
    FErrors.Add(XpLoadStr(_sSrcLoadFailed) + source);
    if (FRaiseErrors) throw;
    return false;
  }
  return ParseFinish(true);
}

bool TXpParser::ParseMemory(const void* data, int32_t size) {
  return ParseReader(XpMemoryReader(data, data && size > 0 ? static_cast<size_t>(size) : 0));
}

bool TXpParser::ParseStream(TStream& stream) { return ParseReader(XpStreamReader(stream)); }

bool TXpParser::ParseReader(std::unique_ptr<TXpByteReader> reader) {
  ParseStart();
  FPreserve = false;
  FDocLocation.clear();
  FDocName.clear();
  auto src = std::make_unique<TXpInputSource>();
  src->External = true;
  FInputSize = static_cast<size_t>(std::max<int64_t>(reader->Size(), 0));
  try {
    src->Open(std::move(reader), static_cast<size_t>(FBufferSize));
  } catch (const EXpParserError& e) {
    FErrors.Add(FormatRuntime(XpLoadStr(_sFmtErrorMsg).c_str(), "", e.Line(), e.Column(),
                              WideToAnsi(e.Reason()).c_str()));
    if (OnStartDocument) OnStartDocument(this);
    if (OnEndDocument) OnEndDocument(this);
    if (FRaiseErrors) throw;
    return false;
  }
  FSources.push_back(std::move(src));
  return ParseFinish(true);
}

bool TXpParser::ParseFinish(bool) {
  ParsePrim();
  return FErrors.Count() == 0;
}

void TXpParser::ParsePrim() {
  Initialize();
  if (OnStartDocument) OnStartDocument(this);
  auto finish = [this] {
    FInCharSet = FSources.empty() ? ceUnknown : FSources.front()->Encoding;
    FSources.clear();
    FDocContext.reset();
  };
  try {
    ParseDocument();
  } catch (const std::exception& ex) {
    AnsiString text;
    if (const auto* e = dynamic_cast<const EXpFilterError*>(&ex)) {
      const auto* pe = dynamic_cast<const EXpParserError*>(&ex);
      text = FormatRuntime(XpLoadStr(_sFmtErrorMsg).c_str(), pe ? WideToAnsi(pe->URL()).c_str() : "", e->Line(),
                           e->Column(), WideToAnsi(e->Reason()).c_str());
    } else {
      text = FormatRuntime(XpLoadStr(_sFmtErrorMsg).c_str(), "<unknown>", 0, 0, ex.what());
    }
    FErrors.Add(text);
    if (FRaiseErrors) {
      if (OnEndDocument) OnEndDocument(this);
      Cleanup();
      finish();
      throw;
    }
  }
  if (OnEndDocument) OnEndDocument(this);
  Cleanup();
  finish();
}

// --- declarations ---

int32_t TXpParser::GetElementContentType(const WideString& name) const {
  auto it = FElements.find(name);
  return it == FElements.end() ? 0 : it->second.ContentType;
}

const TXpElementInfo* TXpParser::GetElementInfo(const WideString& name) const {
  auto it = FElements.find(name);
  return it == FElements.end() ? nullptr : &it->second;
}

int32_t TXpParser::GetEntityType(const WideString& name, bool parameter) const {
  const auto& table = parameter ? FParamEntities : FEntities;
  auto it = table.find(name);
  return it == table.end() ? 0 : it->second->EntityClass;
}

WideString TXpParser::GetEntityValue(const WideString& name, bool parameter) const {
  const auto& table = parameter ? FParamEntities : FEntities;
  auto it = table.find(name);
  return it == table.end() ? WideString() : it->second->Value;
}

// --- errors and limits ---

void TXpParser::Fail(const WideString& message) {
  for (auto it = FSources.rbegin(); it != FSources.rend(); ++it)
    if ((*it)->External) {
      int32_t line, column;
      (*it)->Position(line, column);
      throw EXpParserError(line, column, message, (*it)->URL);
    }
  throw EXpParserError(0, 0, message, WideString());
}

void TXpParser::Fail(int32_t id, const WideString& arg) { Fail(XpLoadWideStr(id) + arg); }

void TXpParser::CountExpansion(const TXpEntityInfo& entity, size_t length) {
  FExpanded += static_cast<int64_t>(length);
  if (FExpanded > FExpansionLimit)
    Fail(AnsiToWide(FormatRuntime(XpLoadStr(_sEntityExpansionLimit).c_str(), static_cast<long long>(FExpansionLimit),
                                  WideToAnsi(entity.Name).c_str())));
}

void TXpParser::CheckText(size_t length) {
  if (static_cast<int64_t>(length) > MaxTextLength)
    Fail(AnsiToWide(FormatRuntime(XpLoadStr(_sTextLengthLimit).c_str(), static_cast<long long>(MaxTextLength))));
}

// --- sources ---

void TXpParser::PushSource(std::unique_ptr<TXpInputSource> source) {
  if (source->Entity) {
    if (static_cast<int32_t>(FOpenEntities.size()) >= MaxEntityNesting)
      Fail(AnsiToWide(FormatRuntime(XpLoadStr(_sEntityNestingLimit).c_str(), MaxEntityNesting,
                                    WideToAnsi(source->Entity->Name).c_str())));
    FOpenEntities.push_back(source->Entity);
  }
  if (source->ExternalDtd) ++FDtdExternalDepth;
  FSources.push_back(std::move(source));
}

void TXpParser::PopSource() {
  const TXpInputSource& s = Src();
  if (s.Entity) FOpenEntities.pop_back();
  if (s.ExternalDtd) --FDtdExternalDepth;
  FSources.pop_back();
}

AnsiString TXpParser::CurrentBasePath() const {
  for (auto it = FSources.rbegin(); it != FSources.rend(); ++it)
    if ((*it)->Context) return (*it)->Context->BasePath();
  return AnsiString();
}

bool TXpParser::MayLoad(const TXpDirContext& context, const AnsiString& basePath) const {
  if (ResolverPolicy == rpNone) return false;
  if (context.Kind() == xpdcHTTP || context.Kind() == xpdcFTP) return ResolverPolicy == rpAll;
  const AnsiString url = context.URL();
  // Network shares and devices.
  if (url.rfind("\\\\", 0) == 0 || url.rfind("//", 0) == 0) return false;
#ifndef _WIN32
  if (url.rfind("/dev/", 0) == 0 || url.rfind("/proc/", 0) == 0 || url.rfind("/sys/", 0) == 0) return false;
#endif
  if (ResolverPolicy != rpDocumentFolder) return true;
  if (!FDocContext || FDocContext->Kind() != xpdcLocal) return false;
  std::error_code ec;
  const fs::path folder = fs::weakly_canonical(fs::absolute(fs::path(FDocContext->BasePath().empty()
                                                                          ? AnsiString(".")
                                                                          : FDocContext->BasePath()),
                                                            ec),
                                               ec);
  const fs::path target = fs::weakly_canonical(fs::absolute(fs::path(url), ec), ec);
  if (ec) return false;
  auto f = folder.begin(), t = target.begin();
  for (; f != folder.end(); ++f, ++t) {
    if (f->empty()) continue;  // trailing separator
    if (t == target.end() || *f != *t) return false;
  }
  (void)basePath;
  return true;
}

std::unique_ptr<TXpInputSource> TXpParser::LoadExternal(const WideString& systemId, const AnsiString& basePath,
                                                        const WideString&) {
  TXpDirContext parent;
  parent.SetBasePath(basePath);
  std::shared_ptr<TXpDirContext> ctx;
  try {
    const TXpDirContext* docCtx = FDocContext.get();
    TXpDirContext* base = &parent;
    if (docCtx && (docCtx->Kind() == xpdcHTTP || docCtx->Kind() == xpdcFTP)) {
      // Relative names below an internet document stay on the internet.
      static_cast<void>(base);
    }
    ctx = std::make_shared<TXpDirContext>(base, WideToAnsi(systemId));
  } catch (const EXpException& e) {
    Fail(AnsiToWide(e.Message()));
  }
  if (!MayLoad(*ctx, basePath))
    Fail(AnsiToWide(FormatRuntime(XpLoadStr(_sResolverBlocked).c_str(), WideToAnsi(systemId).c_str())));
  if (++FExternalLoads > MaxExternalLoads)
    Fail(AnsiToWide(FormatRuntime(XpLoadStr(_sExternalLoadLimit).c_str(), MaxExternalLoads)));
  std::unique_ptr<TXpByteReader> reader;
  if (ctx->Kind() == xpdcHTTP || ctx->Kind() == xpdcFTP) {
    std::string bytes;
    AnsiString temp;
    if (!XpNetLoad(*ctx, FUserName, FPassword, FErrors, bytes, temp))
      Fail(AnsiToWide(FormatRuntime(XpLoadStr(_sFileNotFound).c_str(), WideToAnsi(systemId).c_str())));
    if (!temp.empty()) FTempFiles.Add(temp);
    reader = XpOwnedReader(std::move(bytes));
  } else {
    std::error_code ec;
    if (!fs::is_directory(fs::path(ctx->URL()), ec)) reader = XpFileReader(ctx->URL());
    if (!reader) Fail(AnsiToWide(FormatRuntime(XpLoadStr(_sFileNotFound).c_str(), WideToAnsi(systemId).c_str())));
  }
  auto src = std::make_unique<TXpInputSource>();
  src->URL = AnsiToWide(ctx->URL());
  src->Context = ctx;
  src->External = true;
  // Every piece read counts against the bytes a parse may load.
  src->Open(std::move(reader), static_cast<size_t>(FBufferSize), [this](size_t bytes) {
    FExternalBytes += static_cast<int64_t>(bytes);
    if (FExternalBytes > MaxExternalBytes)
      Fail(AnsiToWide(FormatRuntime(XpLoadStr(_sExternalBytesLimit).c_str(), static_cast<long long>(MaxExternalBytes))));
  });
  return src;
}

// --- reading ---

char16_t TXpParser::Peek(size_t ahead) {
  TXpInputSource& s = *FSources.back();
  return s.At(s.Pos + ahead);
}

bool TXpParser::TryRead(const char16_t* literal) {
  TXpInputSource& s = Src();
  size_t i = 0;
  for (; literal[i]; ++i)
    if (s.At(s.Pos + i) != literal[i]) return false;
  s.Pos += i;
  return true;
}

size_t TXpParser::FindInSource(std::u16string_view delimiter) {
  TXpInputSource& s = Src();
  const size_t keep = delimiter.size() - 1;
  size_t from = s.Pos;
  for (;;) {
    const size_t at = s.Text.find(delimiter, from);
    if (at != WideString::npos) {
      CheckText(at - s.Pos);
      return at;
    }
    // The text so far is at least this long, whatever follows.
    const size_t size = s.Text.size();
    if (size - s.Pos > keep) CheckText(size - s.Pos - keep);
    if (!s.More()) return WideString::npos;
    from = std::max(s.Pos, size > keep ? size - keep : 0);
  }
}

void TXpParser::Require(const char16_t* literal) {
  if (!TryRead(literal)) Fail(_sExpectedString, literal);
}

bool TXpParser::SkipWhitespace() {
  TXpInputSource& s = Src();
  const size_t start = s.Pos;
  for (;;) {
    const size_t n = s.Text.size();
    while (s.Pos < n && IsWS(s.Text[s.Pos])) ++s.Pos;
    if (s.Pos < n || !s.More()) break;
  }
  return s.Pos != start;
}

void TXpParser::RequireWhitespace() {
  if (!SkipWhitespace()) {
    int32_t line = 0, column = 0;
    for (auto it = FSources.rbegin(); it != FSources.rend(); ++it)
      if ((*it)->External) {
        (*it)->Position(line, column);
        break;
      }
    Fail(_sSpaceExpectedAt, AnsiToWide(Format("Line: %d Position: %d", line, column)));
  }
}

size_t TXpParser::ScanNameChars(size_t p) {
  TXpInputSource& s = Src();
  for (;;) {
    const char16_t* t = s.Text.data();
    const size_t n = s.Text.size();
    p = SkipNameChars(t, p, n);
    // Refused as soon as the name is too long, however long it goes on.
    if (p - s.Pos > static_cast<size_t>(MaxNameLength))
      Fail(AnsiToWide(FormatRuntime(XpLoadStr(_sNameLengthLimit).c_str(), MaxNameLength)));
    // A surrogate pair may have its second half in the next piece.
    const bool splitPair = p + 1 == n && t[p] >= 0xD800 && t[p] <= 0xDBFF;
    if ((p < n && !splitPair) || !s.More()) return p;
  }
}

WideString TXpParser::ReadName() {
  WideString name;
  ReadNameInto(name);
  return name;
}

size_t TXpParser::NameStartHere() {
  TXpInputSource& s = Src();
  s.Have(s.Pos + 1);  // both halves of a surrogate pair
  const size_t n = s.Text.size();
  const size_t k = s.Pos < n ? NameStartAt(s.Text.data(), s.Pos, n) : 0;
  if (k == 0) {
    if (s.Pos >= n) Fail(_sUnexpectedEof);
    Fail(_sInvalidName, CharAt(s.Text.data(), s.Pos, n));
  }
  return k;
}

void TXpParser::ReadNameInto(WideString& name) {
  TXpInputSource& s = Src();
  const size_t p = ScanNameChars(s.Pos + NameStartHere());
  name.assign(s.Text.data() + s.Pos, p - s.Pos);
  s.Pos = p;
}

WideString TXpParser::ReadNmToken() {
  TXpInputSource& s = Src();
  const size_t p = ScanNameChars(s.Pos);
  if (p == s.Pos) {
    if (s.AtEnd()) Fail(_sUnexpectedEof);
    Fail(_sInvalidName, CharAt(s.Text.data(), p, s.Text.size()));
  }
  WideString token = s.Text.substr(s.Pos, p - s.Pos);
  s.Pos = p;
  return token;
}

WideString TXpParser::ReadQuoted() {
  TXpInputSource& s = Src();
  const char16_t quote = s.Cur();
  if (quote != u'"' && quote != u'\'') Fail(_sQuoteExpected);
  ++s.Pos;
  const size_t close = FindInSource(std::u16string_view(&quote, 1));
  --s.Pos;
  if (close == WideString::npos) Fail(_sExpectedString, WideString(1, quote));
  WideString value = s.Text.substr(s.Pos + 1, close - s.Pos - 1);
  s.Pos = close + 1;
  return value;
}

bool TXpParser::ReadExternalIds(WideString& publicId, WideString& systemId, bool systemOptional) {
  if (TryRead(u"SYSTEM")) {
    DtdRequire();
    systemId = ReadQuoted();
  } else if (TryRead(u"PUBLIC")) {
    DtdRequire();
    publicId = ReadQuoted();
    for (char16_t c : publicId)
      if (!XPIsPubidChar(c)) Fail(_sInvPubIDChar, WideString(1, c));
    const bool ws = DtdSkip();
    if (Cur() == u'"' || Cur() == u'\'') {
      if (!ws) RequireWhitespace();
      systemId = ReadQuoted();
    } else if (!systemOptional) {
      Fail(_sQuoteExpected);
    }
  } else {
    return false;
  }
  if (systemId.find(u'#') != WideString::npos) Fail(_sInvalidName, u"#");
  return true;
}

void TXpParser::AppendChar(WideString& out, char32_t c) {
  if (c >= 0x10000) {
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
  } else {
    out += static_cast<char16_t>(c);
  }
}

char32_t TXpParser::ReadCharRef() {
  const bool hex = TryRead(u"x");
  char32_t value = 0;
  int32_t digits = 0, significant = 0;
  for (;;) {
    const char16_t c = Cur();
    if (c == u';') break;
    int32_t d;
    if (c >= u'0' && c <= u'9')
      d = c - u'0';
    else if (hex && c >= u'a' && c <= u'f')
      d = c - u'a' + 10;
    else if (hex && c >= u'A' && c <= u'F')
      d = c - u'A' + 10;
    else {
      if (c == 0) Fail(_sUnexpectedEof);
      char buf[8] = {static_cast<char>(c < 0x80 ? c : '?'), 0};
      Fail(AnsiToWide(FormatRuntime(XpLoadStr(_sIllCharInRef).c_str(), buf, static_cast<int>(c))));
    }
    ++digits;
    if (significant || d) ++significant;
    if (significant > (hex ? MaxHexDigits : MaxDecimalDigits)) Fail(_sCharRefDigitsLimit, u"&#");
    value = value * (hex ? 16 : 10) + static_cast<char32_t>(d);
    Skip();
  }
  Skip();
  if (!digits || !XPIsChar(value)) Fail(_sInvalidXMLChar);
  return value;
}

// --- document ---

void TXpParser::ParseDocument() {
  TXpInputSource& s = Src();
  if (s.Have(5) && s.Text.compare(0, 5, u"<?xml") == 0 && IsWS(s.Text[5])) {
    s.Pos = 5;
    ParseXMLDecl(false);
  }
  ParseMisc();
  if (TryRead(u"<!DOCTYPE")) {
    ParseDocTypeDecl();
    ParseMisc();
  }
  if (Src().AtEnd()) Fail(_sUnexpectedEof);
  Require(u"<");
  ParseStartTag();
  ParseContent();
  ParseMisc();
  if (!Src().AtEnd()) Fail(_sDataAfterValDoc);
}

void TXpParser::ParseMisc() {
  for (;;) {
    Src().Compact();
    SkipWhitespace();
    if (TryRead(u"<?")) {
      ParseProcessingInstruction();
    } else if (TryRead(u"<!--")) {
      ParseComment();
      FCommentSeen = true;
    } else {
      return;
    }
  }
}

void TXpParser::ParseXMLDecl(bool textDecl) {
  WideString version, encoding, standalone;
  bool ws = SkipWhitespace();
  auto eq = [this] {
    SkipWhitespace();
    Require(u"=");
    SkipWhitespace();
  };
  if (TryRead(u"version")) {
    eq();
    version = ReadQuoted();
    bool ok = version.size() > 2 && version[0] == u'1' && version[1] == u'.';
    for (size_t i = 2; ok && i < version.size(); ++i) ok = version[i] >= u'0' && version[i] <= u'9';
    if (!ok) Fail(_sInvVerNum, version);
    if (version != u"1.0")
      Fail(AnsiToWide(FormatRuntime(XpLoadStr(_sInvalidXMLVersion).c_str(), "1.0")));
    ws = SkipWhitespace();
  } else if (!textDecl) {
    Fail(_sExpectedString, u"version");
  }
  if (Cur() != u'?' && !ws) RequireWhitespace();
  if (TryRead(u"encoding")) {
    eq();
    encoding = ReadQuoted();
    bool ok = !encoding.empty() && ((encoding[0] >= u'A' && encoding[0] <= u'Z') ||
                                    (encoding[0] >= u'a' && encoding[0] <= u'z'));
    for (size_t i = 1; ok && i < encoding.size(); ++i) {
      const char16_t c = encoding[i];
      ok = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'.' ||
           c == u'_' || c == u'-';
    }
    if (!ok) Fail(_sInvEncName, encoding);
    bool asciiOnly;
    const TXpCharEncoding named = XpEncodingFromName(encoding, asciiOnly);
    if (named == ceUnknown) Fail(_sInvalidCharEncoding);
    // UTF-16 text must say UTF-16 (or nothing); 8-bit text never does.
    const TXpCharEncoding actual = Src().Encoding;
    if ((actual == ceUTF16LE || actual == ceUTF16BE) != (named == ceUTF16LE)) Fail(_sInvalidCharEncoding);
    ws = SkipWhitespace();
  } else if (textDecl) {
    Fail(_sExpectedString, u"encoding");
  }
  if (!textDecl && Cur() != u'?' && !ws) RequireWhitespace();
  if (!textDecl && TryRead(u"standalone")) {
    eq();
    standalone = ReadQuoted();
    if (standalone != u"yes" && standalone != u"no") Fail(_sInvStandAloneVal);
    FStandalone = standalone == u"yes";
    SkipWhitespace();
  }
  Require(u"?>");
  if (textDecl || !OnProcessingInstruction) return;
  WideString data = u"version=\"" + version + u"\"";
  if (!encoding.empty()) data += u" encoding=\"" + encoding + u"\"";
  if (!standalone.empty()) data += u" standalone=\"" + standalone + u"\"";
  OnProcessingInstruction(this, u"xml", data);
}

void TXpParser::ParseProcessingInstruction() {
  const WideString target = ReadName();
  if (target == u"xml") Fail(FCommentSeen ? _sCommentBeforeXMLDecl : _sXMLDecNotAtBeg);
  if (target.size() == 3 && (target[0] | 0x20) == u'x' && (target[1] | 0x20) == u'm' && (target[2] | 0x20) == u'l')
    Fail(_sReservedPITarget, target);
  WideString data;
  if (!TryRead(u"?>")) {
    RequireWhitespace();
    TXpInputSource& s = Src();
    const size_t end = FindInSource(u"?>");
    if (end == WideString::npos) Fail(_sUnexpEndOfInput, u"?>");
    data = s.Text.substr(s.Pos, end - s.Pos);
    s.Pos = end + 2;
  }
  if (OnProcessingInstruction) OnProcessingInstruction(this, target, data);
}

void TXpParser::ParseComment() {
  TXpInputSource& s = Src();
  const size_t end = FindInSource(u"--");
  if (end == WideString::npos) Fail(_sUnexpEndOfInput, u"-->");
  if (s.At(end + 2) != u'>') {
    s.Pos = end;
    Fail(_sInvalidCommentText);
  }
  WideString text = s.Text.substr(s.Pos, end - s.Pos);
  s.Pos = end + 3;
  if (OnComment) OnComment(this, text);
}

void TXpParser::ParseContent() {
  while (!FOpen.empty()) {
    TXpInputSource& s = Src();
    s.Compact();
    if (s.AtEnd()) {
      if (s.Entity) {
        if (FOpen.size() != s.OpenDepth) Fail(_sEntityNotWellFormed, s.Entity->Name);
        if (s.External) {
          DataBufferFlush();
          CountExpansion(*s.Entity, static_cast<size_t>(s.Decoded()));
        }
        PopSource();
        continue;
      }
      Fail(_sUnexpectedEof);
    }
    const char16_t* t = s.Text.data();
    const size_t n = s.Text.size();
    const char16_t c = t[s.Pos];
    if (c == u'<') {
      DataBufferFlush();
      const char16_t c1 = Peek(1);
      if (c1 == u'/') {
        ParseEndTag();
      } else if (c1 == u'!') {
        if (TryRead(u"<!--")) {
          ParseComment();
        } else if (TryRead(u"<![CDATA[")) {
          ParseCDATA();
        } else {
          Fail(_sExpCommentOrCDATA, u"(" + WideString(1, Peek(2)) + u")");
        }
      } else if (c1 == u'?') {
        Skip(2);
        ParseProcessingInstruction();
      } else {
        Skip();
        ParseStartTag();
      }
    } else if (c == u'&') {
      if (Peek(1) == u'#') {
        Skip(2);
        AppendChar(FData, ReadCharRef());
        CheckText(FData.size());
      } else {
        ParseEntityRefInContent();
      }
    } else {
      size_t q = s.Pos;
      while (q < n) {
        const char16_t d = t[q];
        if (d == u'<' || d == u'&') break;
        if (d == u'>' && q >= 2 && t[q - 1] == u']' && t[q - 2] == u']') {
          s.Pos = q;
          Fail(_sInvPCData, u"']]>'");
        }
        ++q;
      }
      FData.append(t + s.Pos, q - s.Pos);
      s.Pos = q;
      CheckText(FData.size());
    }
  }
}

void TXpParser::ParseStartTag() {
  WideString name = ReadName();
  if (static_cast<int32_t>(FOpen.size()) >= MaxDepth)
    Fail(AnsiToWide(FormatRuntime(XpLoadStr(_sDepthLimit).c_str(), MaxDepth)));
  const TXpElementInfo* info = nullptr;
  if (!FElements.empty()) {
    auto infoIt = FElements.find(name);
    if (infoIt != FElements.end()) info = &infoIt->second;
  }
  int32_t contentType = info ? info->ContentType : 0;
  if (contentType == 0) contentType = 1;

  // The tag's attribute names are FAttrNames[0, count): the strings keep
  // their memory from tag to tag.
  size_t count = 0;
  std::unordered_set<WideString> nameSet;
  WideString xmlSpace;
  bool haveSpace = false;
  bool empty = false;
  for (;;) {
    const bool ws = SkipWhitespace();
    const char16_t c = Cur();
    if (c == u'>') {
      Skip();
      break;
    }
    if (c == u'/') {
      Require(u"/>");
      empty = true;
      break;
    }
    if (c == 0) Fail(_sUnexpectedEof);
    if (!ws) RequireWhitespace();
    if (count == FAttrNames.size()) FAttrNames.emplace_back();
    WideString& attr = FAttrNames[count];
    ReadNameInto(attr);
    SkipWhitespace();
    Require(u"=");
    SkipWhitespace();
    const TXpAttributeInfo* def = info ? info->Find(attr) : nullptr;
    WideString& value = FAttrValue;
    ReadAttValue(def ? def->AttrType : 0, value);
    // Few attributes are compared directly, many through a hash set.
    if (count < 8) {
      for (size_t k = 0; k < count; ++k)
        if (FAttrNames[k] == attr) Fail(_sRedefinedAttr);
      if (count == 7) nameSet.insert(FAttrNames.begin(), FAttrNames.begin() + 7);
    }
    if (count >= 7 && !nameSet.insert(attr).second) Fail(_sRedefinedAttr);
    if (OnAttribute) OnAttribute(this, attr, value, true);
    if (attr == u"xml:space") {
      xmlSpace = value;
      haveSpace = true;
    }
    ++count;
  }
  if (info) {
    for (const TXpAttributeInfo& def : info->Attributes) {
      if (def.ValueType != 1 && def.ValueType != 4) continue;
      bool given = false;
      if (count < 8) {
        for (size_t k = 0; k < count; ++k)
          if (FAttrNames[k] == def.Name) given = true;
      } else {
        given = nameSet.count(def.Name) != 0;
      }
      if (given) continue;
      if (OnAttribute) OnAttribute(this, def.Name, def.ExpandedValue, false);
      if (def.Name == u"xml:space" && !haveSpace) {
        xmlSpace = def.ExpandedValue;
        haveSpace = true;
      }
    }
  }
  bool preserve = FPreserve;
  if (xmlSpace == u"preserve")
    preserve = true;
  else if (xmlSpace == u"default")
    preserve = !FNormalizeData;
  if (OnPreserveSpace) OnPreserveSpace(this, name, preserve);
  if (OnStartElement) OnStartElement(this, name);
  if (empty) {
    if (OnEndElement) OnEndElement(this, name);
    return;
  }
  FOpen.push_back(TOpenElement{std::move(name), contentType, preserve, FSources.size()});
  FContentType = contentType;
  FPreserve = preserve;
}

void TXpParser::ParseEndTag() {
  Skip(2);
  TOpenElement& open = FOpen.back();
  // The name is compared where it stands in the input.
  TXpInputSource& s = Src();
  const size_t end = ScanNameChars(s.Pos + NameStartHere());
  if (std::u16string_view(s.Text.data() + s.Pos, end - s.Pos) != open.Name) {
    const WideString name(s.Text.data() + s.Pos, end - s.Pos);
    s.Pos = end;
    Fail(_sMismatchEndTag, u"Start tag = \"" + open.Name + u"\" End tag = \"" + name + u"\"");
  }
  s.Pos = end;
  if (open.SourceDepth != FSources.size()) Fail(_sEntityNotWellFormed, open.Name);
  SkipWhitespace();
  Require(u">");
  const WideString name = std::move(open.Name);
  FOpen.pop_back();
  FContentType = FOpen.empty() ? 0 : FOpen.back().ContentType;
  FPreserve = FOpen.empty() ? false : FOpen.back().Preserve;
  if (OnEndElement) OnEndElement(this, name);
}

void TXpParser::ParseCDATA() {
  TXpInputSource& s = Src();
  const size_t end = FindInSource(u"]]>");
  if (end == WideString::npos) Fail(_sUnexpEndOfInput, u"]]>");
  FData.assign(s.Text, s.Pos, end - s.Pos);
  s.Pos = end + 3;
  FInCDATA = true;
  DataBufferFlush();
  FInCDATA = false;
}

void TXpParser::ParseEntityRefInContent() {
  Skip();
  const WideString name = ReadName();
  if (!TryRead(u";")) Fail(_sExpectedString, u";");
  if (const char16_t c = PredefinedEntity(name)) {
    FData += c;
    return;
  }
  auto it = FEntities.find(name);
  // A standalone document may not rely on declarations outside it.
  if (it == FEntities.end() || (FStandalone && it->second->ExternallyDeclared)) Fail(_sUndeclaredEntity, name);
  const TXpEntityInfo& e = *it->second;
  if (e.EntityClass == 2) Fail(_sInvalidEntityRef, name);
  if (std::find(FOpenEntities.begin(), FOpenEntities.end(), &e) != FOpenEntities.end())
    Fail(_sCircularEntRef, name);
  if (e.EntityClass == 1) {
    CountExpansion(e, e.Value.size());
    if (e.Value.empty()) return;
    auto src = std::make_unique<TXpInputSource>();
    src->Text = e.Value;
    src->Entity = &e;
    src->OpenDepth = FOpen.size();
    src->Encoding = Src().Encoding;
    PushSource(std::move(src));
    return;
  }
  DataBufferFlush();
  FInExternalEntity = true;
  WideString location = e.SystemId;
  if (OnResolveEntity) OnResolveEntity(this, name, e.PublicId, e.SystemId, location);
  if (location.empty()) return;
  auto src = LoadExternal(location, e.BasePath, name);
  src->Entity = &e;
  src->OpenDepth = FOpen.size();
  PushSource(std::move(src));
  TXpInputSource& s = Src();
  if (s.Have(5) && s.Text.compare(0, 5, u"<?xml") == 0 && IsWS(s.Text[5])) {
    s.Pos = 5;
    ParseXMLDecl(true);
  }
}

void TXpParser::ReadAttValue(int32_t attrType, WideString& value) {
  TXpInputSource& s = Src();
  const char16_t quote = s.Cur();
  if (quote != u'"' && quote != u'\'') Fail(_sQuoteExpected);
  size_t p = s.Pos + 1;
  // Plain values (no reference, no line end, no TAB) are taken as they stand.
  for (;;) {
    const char16_t* t = s.Text.data();
    const size_t n = s.Text.size();
    while (p < n && t[p] != quote && t[p] != u'&' && t[p] != u'<' && t[p] != u'\n' && t[p] != u'\t' &&
           t[p] != u'\r')
      ++p;
    if (p < n) break;
    CheckText(p - s.Pos - 1);
    if (!s.More()) break;
  }
  value.assign(s.Text.data() + s.Pos + 1, p - s.Pos - 1);
  if (s.Have(p) && s.Text[p] == quote) {
    s.Pos = p + 1;
  } else {
    s.Pos = p;
    for (;;) {
      if (s.AtEnd()) Fail(_sExpectedString, WideString(1, quote));
      const char16_t c = s.Text[s.Pos];
      if (c == quote) {
        ++s.Pos;
        break;
      }
      if (c == u'<') Fail(_sInvAttrChar, u"'<'");
      if (c == u'&') {
        if (Peek(1) == u'#') {
          Skip(2);
          AppendChar(value, ReadCharRef());
          continue;
        }
        Skip();
        const WideString name = ReadName();
        if (!TryRead(u";")) Fail(_sExpectedString, u";");
        if (const char16_t pc = PredefinedEntity(name)) {
          value += pc;
          continue;
        }
        auto it = FEntities.find(name);
        if (it == FEntities.end() || (FStandalone && it->second->ExternallyDeclared))
          Fail(_sUndeclaredEntity, name);
        const TXpEntityInfo& e = *it->second;
        if (e.EntityClass != 1) Fail(_sInvalidEntityRef, name);
        if (static_cast<int32_t>(FOpenEntities.size()) >= MaxEntityNesting)
          Fail(AnsiToWide(FormatRuntime(XpLoadStr(_sEntityNestingLimit).c_str(), MaxEntityNesting,
                                        WideToAnsi(name).c_str())));
        CountExpansion(e, e.Value.size());
        FOpenEntities.push_back(&e);
        ExpandAttValue(e.Value, value, 1);
        FOpenEntities.pop_back();
        CheckText(value.size());
        continue;
      }
      value += IsWS(c) ? u' ' : c;
      ++s.Pos;
      if ((value.size() & 0xFFF) == 0) CheckText(value.size());
    }
  }
  CheckText(value.size());
  if (attrType > 1) CollapseBlanks(value);
}

void TXpParser::ExpandAttValue(const WideString& text, WideString& out, int32_t nesting) {
  const size_t n = text.size();
  for (size_t i = 0; i < n;) {
    const char16_t c = text[i];
    if (c == u'<') Fail(_sInvAttrChar, u"'<'");
    if (c != u'&') {
      out += IsWS(c) ? u' ' : c;
      ++i;
      continue;
    }
    const size_t semi = text.find(u';', i);
    if (semi == WideString::npos) Fail(_sInvAttrChar, u"'&'");
    if (i + 1 < n && text[i + 1] == u'#') {
      // A character reference (its own syntax checked where it was read).
      const bool hex = i + 2 < n && text[i + 2] == u'x';
      char32_t v = 0;
      int32_t digits = 0;
      for (size_t k = i + (hex ? 3 : 2); k < semi; ++k) {
        const char16_t d = text[k];
        int32_t dv;
        if (d >= u'0' && d <= u'9')
          dv = d - u'0';
        else if (hex && d >= u'a' && d <= u'f')
          dv = d - u'a' + 10;
        else if (hex && d >= u'A' && d <= u'F')
          dv = d - u'A' + 10;
        else
          Fail(_sInvAttrChar, u"'&'");
        v = v * (hex ? 16 : 10) + static_cast<char32_t>(dv);
        if (++digits > 8) Fail(_sCharRefDigitsLimit, u"&#");
      }
      if (!digits || !XPIsChar(v)) Fail(_sInvalidXMLChar);
      AppendChar(out, v);
      i = semi + 1;
      continue;
    }
    const WideString name = text.substr(i + 1, semi - i - 1);
    if (name.empty() || !XpValidName(name)) Fail(_sInvAttrChar, u"'&'");
    i = semi + 1;
    if (const char16_t pc = PredefinedEntity(name)) {
      out += pc;
      continue;
    }
    auto it = FEntities.find(name);
    if (it == FEntities.end() || (FStandalone && it->second->ExternallyDeclared)) Fail(_sUndeclaredEntity, name);
    const TXpEntityInfo& e = *it->second;
    if (e.EntityClass != 1) Fail(_sInvalidEntityRef, name);
    if (std::find(FOpenEntities.begin(), FOpenEntities.end(), &e) != FOpenEntities.end())
      Fail(_sCircularEntRef, name);
    if (static_cast<int32_t>(FOpenEntities.size()) >= MaxEntityNesting)
      Fail(AnsiToWide(FormatRuntime(XpLoadStr(_sEntityNestingLimit).c_str(), MaxEntityNesting,
                                    WideToAnsi(name).c_str())));
    CountExpansion(e, e.Value.size());
    FOpenEntities.push_back(&e);
    ExpandAttValue(e.Value, out, nesting + 1);
    FOpenEntities.pop_back();
    CheckText(out.size());
  }
}

void TXpParser::DataBufferFlush() {
  if (FData.empty()) return;
  if (FNormalizeData && !FInCDATA && !FPreserve) NormalizeWhitespace(FData);
  if (FData.empty()) return;
  if (FContentType == 4 && !FInCDATA && AllWhitespace(FData)) {
    if (OnIgnorableWhitespace) OnIgnorableWhitespace(this, FData);
  } else if (FInCDATA) {
    if (OnCDATASection) OnCDATASection(this, FData);
  } else if (OnCharData) {
    OnCharData(this, FData);
  }
  FData.clear();
}
