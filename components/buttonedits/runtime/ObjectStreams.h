#pragma once
// Objects to and from streams, files, registry values and settings-file
// sections, in the binary or the text component form (classlib/Filer.h,
// classlib/ObjectText.h). A persistent object that is no component travels
// inside a TPersHolder named "PersHolder".
#include "classlib/Component.h"
#include "classlib/Filer.h"
#include "classlib/Stream.h"

#include <cstdint>

// A reader that passes over the data a component declares itself
// (DefineProperties), so that only published properties are read back.
class TPropReader : public TReader {
 public:
  TPropReader(TStream& stream, int32_t bufSize);
};

// A writer that writes declared data only when its has-data flag differs
// from `skipWhen`.
class TMWriter : public TWriter {
 public:
  TMWriter(TStream& stream, int32_t bufSize, bool skipWhen);

 protected:
  bool WantDefined(bool hasData) const override { return hasData != FSkipWhen; }

 private:
  bool FSkipWhen;
};

// Whether the stream, from its position, holds a component in the text
// form: its next bytes begin with "object" or "inherited". The position is
// left where it was.
bool IsTextStream(TStream& stream);

void WriteObjToStream(TStream& stream, TPersistent& object);
void ReadObjFromStream(TStream& stream, TPersistent& object);
void WriteObjToTextStream(TStream& stream, TPersistent& object);
void ReadObjFromTextStream(TStream& stream, TPersistent& object);
// Files are written whole through a temporary file; a failure raises
// EFCreateError, a missing file EFOpenError.
void WriteObjToFile(const AnsiString& fileName, TPersistent& object);
void ReadObjFromFile(const AnsiString& fileName, TPersistent& object);
void WriteObjToTextFile(const AnsiString& fileName, TPersistent& object);
void ReadObjFromTextFile(const AnsiString& fileName, TPersistent& object);

// A 32-bit length, then the named published properties of the component
// (the others are left out) in the component stream form with its end
// mark. Reading takes exactly that many bytes and reads the published
// properties found there into the component.
void WritePropsToStream(TStream& stream, TComponent& component, const AnsiString* names, int32_t count);
void ReadPropsFromStream(TStream& stream, TComponent& component);

// Through a registry stream (RegistryPersistence.h) at the value path.
void WriteObjToRegistry(TPersistent& object, const AnsiString& path);
void ReadObjFromRegistry(TPersistent& object, const AnsiString& path);
void WriteObjTextToRegistry(TPersistent& object, const AnsiString& path);
void ReadObjTextFromRegistry(TPersistent& object, const AnsiString& path);
// One registry value per published property that is no object, at path +
// "\" + the property's name; reading keeps the current value of a property
// without a stored one.
void WritePropsToRegistry(TObject& object, const AnsiString& path);
void ReadPropsFromRegistry(TObject& object, const AnsiString& path);

// The settings file of SaveComponentToIniFile and the option objects;
// nothing is read or written while it is empty.
extern AnsiString DCIniFileName;
// The component (a plain persistent object in a TPersHolder) as upper-case
// hexadecimal lines of 64 digits, replacing the section of DCIniFileName;
// false when nothing could be written. Loading reads the lines back:
// false when the section is missing or holds no hexadecimal text; damaged
// stream data raises EReadError.
bool SaveComponentToIniFile(TPersistent& object, const AnsiString& section);
bool LoadComponentFromIniFile(TPersistent& object, const AnsiString& section);
