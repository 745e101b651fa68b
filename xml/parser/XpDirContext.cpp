#include "xml/parser/XpDirContext.h"

#include <filesystem>
#include <vector>

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

// The path with its "." and ".." segments resolved as text, so that no
// folder named on the way needs to exist: "." goes, ".." takes the segment
// before it away. The root (a host, a drive, a share, a leading separator)
// stays; ".." at the start of a relative path stays too.
AnsiString ResolveDotSegments(const AnsiString& path, char sep, bool internet) {
  if (path.find('.') == AnsiString::npos) return path;
  size_t root = 0;
  if (internet) {
    root = path.find('/');
    root = root == AnsiString::npos ? path.size() : root + 1;
  } else if (path.size() >= 2 && path[0] == sep && path[1] == sep) {
    // \\server\share\ (or //server/share/)
    root = path.find(sep, 2);
    root = root == AnsiString::npos ? path.size() : path.find(sep, root + 1);
    root = root == AnsiString::npos ? path.size() : root + 1;
  } else if (!path.empty() && path[0] == sep) {
    root = 1;
  } else if (path.size() >= 2 && path[1] == ':') {
    root = path.size() >= 3 && path[2] == sep ? 3 : 2;
  }
  std::vector<AnsiString> kept;
  size_t start = root;
  while (start < path.size()) {
    size_t end = path.find(sep, start);
    const bool last = end == AnsiString::npos;
    if (last) end = path.size();
    AnsiString segment = path.substr(start, end - start);
    if (!last) segment += sep;
    const AnsiString bare = last ? segment : segment.substr(0, segment.size() - 1);
    if (bare == ".") {
      // dropped
    } else if (bare == ".." && !kept.empty() && kept.back() != AnsiString("..") + sep) {
      kept.pop_back();
    } else if (bare == ".." && root > 0) {
      // nothing above the root
    } else {
      kept.push_back(segment);
    }
    start = end + 1;
  }
  AnsiString out = path.substr(0, root);
  for (const AnsiString& segment : kept) out += segment;
  return out;
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
  const bool internet = FKind == xpdcHTTP || FKind == xpdcFTP || FKind == xpdcInetRelative;
  FBasePath = ResolveDotSegments(path, internet ? '/' : kSep, internet);
  FCurrentName = file;
}
