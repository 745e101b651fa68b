// Where a document came from: local file, HTTP or FTP location, and the
// path that relative names inside it resolve against.
#pragma once

#include "xml/dom/XpBaseDirContext.h"

enum TXpDirContextType { xpdcLocal, xpdcHTTP, xpdcFTP, xpdcInetRelative, xpdcLocalRelative };

class TXpDirContext : public TXpBaseDirContext {
 public:
  TXpDirContext() = default;
  // Resolves `source` against `parent` (may be null). Raises EXpException
  // for an absolute local path with a drive letter below an internet
  // document.
  TXpDirContext(TXpDirContext* parent, const AnsiString& source);

  TXpDirContextType Kind() const { return FKind; }
  void Evaluate(const AnsiString& source, TXpBaseDirContext* parent) override;

  // The separator of local paths on this platform.
#ifdef _WIN32
  static constexpr char kSep = '\\';
#else
  static constexpr char kSep = '/';
#endif

 private:
  TXpDirContextType FKind = xpdcLocal;
};
