#include "xml/parser/XpDirContext.h"

#include <filesystem>

#include "classlib/Format.h"
#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpMessages.h"

namespace {

AnsiString ReplaceChar(AnsiString s, char from, char to) {
  for (char& c : s)
    if (c == from) c = to;
  return s;
}

bool IsInet(const TXpDirContext* c) {
  return c && (c->Kind() == xpdcHTTP || c->Kind() == xpdcFTP);
}

bool IsRelativeLocal(const AnsiString& name) {
#ifdef _WIN32
  return !name.empty() && name.find(':') == AnsiString::npos && name[0] != '\\';
#else
  return !name.empty() && name[0] != '/';
#endif
}

}  // namespace

TXpDirContext::TXpDirContext(TXpDirContext* parent, const AnsiString& source) {
  if (source.rfind("http://", 0) == 0) {
    FKind = xpdcHTTP;
    Evaluate(source.substr(7), parent);
    return;
  }
  if (source.rfind("ftp://", 0) == 0) {
    FKind = xpdcFTP;
    Evaluate(source.substr(6), parent);
    return;
  }
  AnsiString local = source.rfind("file://", 0) == 0 ? source.substr(7) : source;
#ifdef _WIN32
  // "file:///C:/x.xml" names C:\x.xml.
  if (local.size() >= 3 && local[0] == '/' && local[2] == ':') local.erase(0, 1);
#endif
  const bool inet = IsInet(parent);
  if (!local.empty() && local[0] == '/') {
    if (inet) {
      FKind = parent->Kind();
      Evaluate(local, parent);
    } else {
      FKind = xpdcLocal;
      Evaluate(ReplaceChar(local, '/', kSep), parent);
    }
    return;
  }
  if (inet) {
    if (local.size() > 1 && local[1] == ':')
      throw EXpException(FormatRuntime(XpLoadStr(XpRes::_sMixedInetLocalPath).c_str(), local.c_str(),
                                       parent->BasePath().c_str()));
    FKind = xpdcInetRelative;
    Evaluate(ReplaceChar(local, '\\', '/'), parent);
    FKind = parent->Kind();
    return;
  }
  if (IsRelativeLocal(local)) {
    FKind = xpdcLocalRelative;
    Evaluate(ReplaceChar(ReplaceChar(local, '/', kSep), '\\', kSep), parent);
  } else {
    FKind = xpdcLocalRelative;
    FKind = xpdcLocal;
    Evaluate(ReplaceChar(local, '/', kSep), parent);
  }
  FKind = xpdcLocal;
}

void TXpDirContext::Evaluate(const AnsiString& source, TXpBaseDirContext* parent) {
  const AnsiString parentPath = parent ? parent->BasePath() : AnsiString();
  auto split = [&](char sep, AnsiString& path, AnsiString& file) {
    const size_t p = source.rfind(sep);
    if (p == AnsiString::npos) {
      path.clear();
      file = source;
    } else {
      path = source.substr(0, p + 1);
      file = source.substr(p + 1);
    }
  };
  AnsiString path, file;
  switch (FKind) {
    case xpdcLocal:
      split(kSep, path, file);
      if (path.empty()) path = parentPath;
      break;
    case xpdcHTTP:
    case xpdcFTP:
      split('/', path, file);
      if (path.empty()) path = parentPath;
      break;
    case xpdcInetRelative:
      split('/', path, file);
      path = parentPath + path;
      break;
    case xpdcLocalRelative:
      split(kSep, path, file);
      if (parent) {
        path = parentPath + path;
      } else {
        std::error_code ec;
        std::filesystem::path full = std::filesystem::absolute(path.empty() ? "." : path.c_str(), ec);
        AnsiString s = full.lexically_normal().string();
        if (s.empty() || s.back() != kSep) s += kSep;
        path = s;
      }
      break;
  }
  FBasePath = path;
  FCurrentName = file;
}
