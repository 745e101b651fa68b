#pragma once
// One text property of an object read and written as a stream: a string
// property, or an object property holding a string list (its Text). The
// property's text is loaded when the stream opens for reading; what the
// stream holds is written back to the property when a stream opened for
// writing is freed.
#include "classlib/Stream.h"
#include "classlib/StringList.h"
#include "classlib/TypInfo.h"

#include <cstdint>

class TPropStream : public TMemoryStream {
 public:
  // `mode` is a file open mode: read (fmOpenRead), write (fmOpenWrite,
  // fmCreate) or both (fmOpenReadWrite). A missing instance or name, an
  // unknown property, or one that holds no text raises EStreamError
  // "Fehler in Eigenschaften stream".
  TPropStream(TObject* instance, const AnsiString& propName, uint16_t mode);
  ~TPropStream() override;

  // 0 read, 1 write, 2 read and write, 3 write without loading.
  int32_t Mode() const { return FMode; }
  TObject* Instance() const { return FInstance; }
  const AnsiString& PropName() const { return FPropName; }
  const TPropInfo* PropInfo() const { return FPropInfo; }
  // The string list when the property is one; else null.
  TStrings* Strings() const { return FStrings; }

  // Whether the object has a property that a stream can be opened on.
  static bool IsTextProperty(const TObject& instance, const AnsiString& propName);

 private:
  void UpdatePropInfo();
  AnsiString PropText() const;
  void SetPropText(const AnsiString& text);

  int32_t FMode;
  TObject* FInstance;
  AnsiString FPropName;
  const TPropInfo* FPropInfo = nullptr;
  TStrings* FStrings = nullptr;
};
