#include "xml/parser/XpNetSource.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "xml/dom/XpNetTransfer.h"

bool XpNetLoad(const TXpDirContext& context, const AnsiString& userName, const AnsiString& password,
               TStringList& errors, std::string& bytes, AnsiString& tempFile) {
  const AnsiString location = context.URL();
  const bool ok = context.Kind() == xpdcFTP ? XpLoadFTP(location, userName, password, errors, tempFile)
                                            : XpLoadHTTP(location, errors, tempFile);
  if (!ok) return false;
  std::ifstream in(tempFile.c_str(), std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  // The temporary file of a load is deleted right after it was read.
  in.close();
  std::remove(tempFile.c_str());
  tempFile.clear();
  return !bytes.empty();
}
