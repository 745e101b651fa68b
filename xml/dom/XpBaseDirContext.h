#pragma once
// A base location against which relative names are resolved: a base path
// or URL and the current name. The parser's directory context implements
// Evaluate.
#include "classlib/AnsiString.h"
#include "classlib/Persistent.h"

class TXpBaseDirContext : public TObject {
 public:
  // The base path followed by the current name.
  AnsiString URL() const { return FBasePath + FCurrentName; }
  // Resolves `source` (relative to `parent` when given).
  virtual void Evaluate(const AnsiString& source, TXpBaseDirContext* parent) = 0;

  const AnsiString& BasePath() const { return FBasePath; }
  void SetBasePath(const AnsiString& path) { FBasePath = path; }
  const AnsiString& CurrentName() const { return FCurrentName; }
  void SetCurrentName(const AnsiString& name) { FCurrentName = name; }

 protected:
  AnsiString FBasePath;
  AnsiString FCurrentName;
};
