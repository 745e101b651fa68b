#include "components/buttonedits/runtime/FileAssociation.h"

#include "classlib/Format.h"

namespace {

bool WriteDefault(TRegValueStore& store, const AnsiString& key, const AnsiString& text) {
  return store.WriteValue(key, AnsiString(), TRegDataKind::String, std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace

bool AssociateFileExt(const AnsiString& extension, const AnsiString& fileTypeKey, const AnsiString& command,
                      int32_t iconIndex, const AnsiString& iconFile, TRegValueStore& store) {
  bool ok = WriteDefault(store, extension, fileTypeKey);
  ok = WriteDefault(store, fileTypeKey + "\\DefaultIcon", iconFile + Format(",%d", iconIndex)) && ok;
  ok = WriteDefault(store, fileTypeKey + "\\Shell\\Open\\Command", command + " \"%1\"") && ok;
  return ok;
}

void UnAssociateFileExt(const AnsiString& extension, const AnsiString& fileTypeKey, TRegValueStore& store) {
  store.DeleteKey(extension);
  for (const char* sub : {"\\DefaultIcon", "\\Shell\\Open\\Command", "\\Shell\\Open", "\\Shell", ""})
    store.DeleteKey(fileTypeKey + sub);
}
