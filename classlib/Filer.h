#pragma once
// Component streaming in the binary component form, over the published
// property tables (TypInfo.h):
//
//   "TPF0", then a component: class name and name (length-prefixed), its
//   properties (each a name and a typed value), a 0 byte, its owned
//   components the same way, a 0 byte.
//
// Values start with a TValueType byte; integers, lengths and floats are
// little-endian; floats other than single, currency and date take ten bytes
// (sign, 15-bit exponent, 64-bit mantissa). A sub-object's properties are
// written with its property name in front ("Font.Name"); a collection is a
// list of items, each a list of properties; events follow the properties,
// each as its handler's method name (an identifier), then the data a class
// declares in DefineProperties (a string list's "Strings").
//
// Events are written only for handlers that run on the root being written
// and have a name (set through the event tables); reading binds each name
// to the root's published method of that name (TypInfo.h). A stream read
// or written with a property filter carries no events.
#include "classlib/AnsiString.h"
#include "classlib/Exception.h"
#include "classlib/Stream.h"
#include "classlib/TypInfo.h"

#include <cstdint>
#include <functional>
#include <vector>

class TComponent;
class TCollection;

enum TValueType : uint8_t {
  vaNull,
  vaList,
  vaInt8,
  vaInt16,
  vaInt32,
  vaExtended,
  vaString,
  vaIdent,
  vaFalse,
  vaTrue,
  vaBinary,
  vaSet,
  vaLString,
  vaNil,
  vaCollection,
  vaSingle,
  vaCurrency,
  vaDate,
  vaWString,
  vaInt64,
};

class TReader;
class TWriter;
using TReaderProc = std::function<void(TReader&)>;
using TWriterProc = std::function<void(TWriter&)>;
using TStreamProc = std::function<void(TStream&)>;
// Decides for each published property whether it is written (writer) or
// read (reader; a refused property's value is skipped).
using TPropertyFilter = std::function<bool(const TPersistent& instance, const TPropInfo& prop)>;

// The ten-byte float of the stream and back (out of range: infinity).
void DoubleToExtended(double value, uint8_t out[10]);
double ExtendedToDouble(const uint8_t in[10]);

class TFiler : public TObject {
 public:
  explicit TFiler(TStream& stream) : FStream(stream) {}
  TStream& Stream() const { return FStream; }
  TComponent* Root() const { return FRoot; }
  // Data beside the published properties, declared by a class in its
  // DefineProperties: `hasData` says whether there is something to write.
  virtual void DefineProperty(const AnsiString& name, const TReaderProc& readData, const TWriterProc& writeData,
                              bool hasData) = 0;
  virtual void DefineBinaryProperty(const AnsiString& name, const TStreamProc& readData,
                                    const TStreamProc& writeData, bool hasData) = 0;
  TPropertyFilter PropertyFilter;

 protected:
  TStream& FStream;
  TComponent* FRoot = nullptr;
};

class TWriter : public TFiler {
 public:
  // Values go straight to the stream; the buffer size is accepted for the
  // callers that name one.
  explicit TWriter(TStream& stream, int32_t bufSize = 4096);

  // The signature and the component with the components inside its data.
  void WriteRootComponent(TComponent& root);
  void WriteSignature();
  // The component's header and properties, then the components its
  // GetChildren hands over, each the same way.
  void WriteComponent(TComponent& component);
  // The published properties that are stored and differ from their
  // default, then the declared data; no end mark.
  void WriteProperties(const TPersistent& instance);
  void WriteCollection(const TCollection& collection);

  void DefineProperty(const AnsiString& name, const TReaderProc& readData, const TWriterProc& writeData,
                      bool hasData) override;
  void DefineBinaryProperty(const AnsiString& name, const TStreamProc& readData, const TStreamProc& writeData,
                            bool hasData) override;

  void WriteValue(TValueType value);
  // The smallest of vaInt8, vaInt16, vaInt32, vaInt64 that holds it.
  void WriteInteger(int64_t value);
  void WriteBoolean(bool value);
  // vaString up to 255 characters, else vaLString.
  void WriteString(const AnsiString& value);
  void WriteWideString(const WideString& value);
  void WriteFloat(double value);
  void WriteSingle(float value);
  void WriteCurrency(double value);
  void WriteDate(double value);
  void WriteIdent(const AnsiString& ident);
  void WriteBinary(const void* data, int32_t size);
  void WriteListBegin() { WriteValue(vaList); }
  void WriteListEnd() { WriteValue(vaNull); }
  // A length byte and at most 255 characters, without a type byte.
  void WriteStr(const AnsiString& value);

 protected:
  // Whether declared data with this has-data flag is written; the base
  // writes what has data.
  virtual bool WantDefined(bool hasData) const { return hasData; }

 private:
  void WriteProperty(const TPersistent& instance, const TPropInfo& prop);
  void WriteEvent(const TPersistent& instance, const TEventInfo& event);
  void WritePropName(const AnsiString& name);
  void WriteRaw(const void* data, int32_t size) { FStream.WriteBuffer(data, size); }

  AnsiString FPropPath;
};

class TReader : public TFiler {
 public:
  explicit TReader(TStream& stream, int32_t bufSize = 4096);

  // Reads the signature and a component. With a root given the data goes
  // into it (its class name in the stream is not checked); without one
  // the registered class of the stream's class name is created. Component
  // references are resolved within the root at the end.
  TComponent* ReadRootComponent(TComponent* root);
  // Raises EReadError unless the stream is at the signature.
  void ReadSignature();
  // Reads properties into `instance` up to and with the end mark.
  void ReadProperties(TPersistent& instance);
  // Reads the component's properties and then the components inside its
  // data: each is found by name among the components of its owner (the
  // component's GetChildOwner, or the root) or made from its registered
  // class, given the component as parent (SetParentComponent), read by
  // its ReadState and put in its place (the component's SetChildOrder).
  void ReadData(TComponent& component);
  void ReadCollection(TCollection& collection);

  // Reports a fault of the data (an unknown property, a value of the wrong
  // kind, an unknown class): the handler may set `handled`, and the
  // offending value is then skipped; otherwise the fault is raised.
  std::function<void(const AnsiString& message, bool& handled)> OnError;
  // Finds the method an event's handler name stands for: `code` comes in
  // as the root's published method of that name (null when it has none)
  // and may be replaced. A name left without a method is a fault.
  std::function<void(const AnsiString& methodName, const TMethodEntry*& code)> OnFindMethod;
  // Data that the instance being read declares itself (DefineProperties)
  // is passed over, so that only its published properties are read; the
  // data of its sub-objects (a string list's entries) is still read.
  bool IgnoreDefinedProperties = false;

  void DefineProperty(const AnsiString& name, const TReaderProc& readData, const TWriterProc& writeData,
                      bool hasData) override;
  void DefineBinaryProperty(const AnsiString& name, const TStreamProc& readData, const TStreamProc& writeData,
                            bool hasData) override;

  // The next byte as a value type, without taking it (unchecked: a byte
  // that is no value type reads as itself).
  TValueType NextValue();
  TValueType ReadValue();
  bool EndOfList() { return NextValue() == vaNull; }
  void ReadListBegin() { CheckValue(vaList); }
  void ReadListEnd() { CheckValue(vaNull); }
  int32_t ReadInteger();
  int64_t ReadInt64();
  bool ReadBoolean();
  AnsiString ReadString();
  WideString ReadWideString();
  double ReadFloat();
  AnsiString ReadIdent();
  AnsiString ReadStr();
  // Passes over one value of any type.
  void SkipValue();

 private:
  struct Fixup {
    TPersistent* Instance;
    const TPropInfo* Prop;
    AnsiString Name;
  };
  void ReadProperty(TPersistent& instance);
  void ReadPropValue(TPersistent& instance, const TPropInfo& prop);
  void ReadEvent(TPersistent& instance, const TEventInfo& event);
  void CheckValue(TValueType expected);
  void ReadRaw(void* data, int32_t size);
  uint32_t ReadLength();
  [[noreturn]] void BadValue();
  // Raises unless the handler takes the fault; true when it was taken.
  bool PropertyError(const AnsiString& message);
  void ResolveFixups();

  std::vector<Fixup> FFixups;
  int32_t FDepth = 0;
  AnsiString FDefName;
  bool FDefFound = false;
  bool FDefTopLevel = false;
};

// Writes a component in the binary component form; reads one into
// `instance` (or, when null, creates the registered class).
void WriteComponentToStream(TStream& stream, TComponent& component);
TComponent* ReadComponentFromStream(TStream& stream, TComponent* instance);
