#pragma once
// Saves a component (a form or module built at run time) to a stream or a
// file and loads it back, in the binary component form; a stream in the
// text form is converted when it is loaded. The filer numbers the event
// names it meets, so that handlers can travel by name, and reports faults
// of the data to its error handler.
//
// Loading binds each event to a handler: a name the filer already numbered,
// or one the component's class does not publish, becomes a handler known by
// that name only (it does nothing when it fires and is numbered through
// AddEvent); any other name binds the class's published method. Saving
// writes every handler by its name again.
#include "classlib/Component.h"
#include "classlib/Stream.h"
#include "classlib/StringList.h"
#include "classlib/TypInfo.h"

#include <cstdint>
#include <functional>

class TCompFiler : public TObject {
 public:
  // The number of an event name already known (compared without case);
  // else the next number, stored with the name.
  int32_t AddEvent(const AnsiString& name);
  int32_t NextEvent() const { return FNextEvent; }
  // The names; each entry's object slot holds its number.
  const TStrings& EventNames() const { return FEventNames; }

  // Writes the component with its owned components; the stream names it
  // with the class-name replacement (when set) and RootNamePrefix + Name.
  void SaveToStream(TStream& stream, TComponent& component);
  // Saves into the file, replacing it whole; a failure (EFCreateError when
  // the file cannot be written) leaves the previous file as it was.
  void SaveToFile(const AnsiString& fileName, TComponent& component);
  // Reads into the component; faults of the data go to ReaderError.
  void LoadFromStream(TStream& stream, TComponent& component);
  void LoadFromFile(const AnsiString& fileName, TComponent& component);
  // Creates a component of the class (it must have a factory: else
  // EClassNotFound), loads it and fires OnCompLoaded. A failed load frees
  // it again and passes the failure on.
  TComponent* CreateFromStream(TStream& stream, const TClassInfo& cls);
  TComponent* CreateFromFile(const AnsiString& fileName, const TClassInfo& cls);

  // A fault while loading. With OnError set, it decides; otherwise the
  // error flag is set and the fault counts as handled with IgnoreErrors.
  // A fault left unhandled is offered to CompFilerErrorHook.
  void ReaderError(const AnsiString& message, bool& handled);

  // Copies the next number and the event names.
  void Assign(const TCompFiler& source);

  // The class name written in place of the component's own; at most 255
  // characters are kept. Empty: the class's own name.
  const AnsiString& ReplacementClassName() const { return FReplacementClassName; }
  void SetReplacementClassName(const AnsiString& name);

  std::function<void(TCompFiler& sender, const AnsiString& message, bool& handled)> OnError;
  std::function<void(TCompFiler& sender, TComponent* component)> OnCompLoaded;
  bool IgnoreErrors = false;
  // Set by a fault that no handler took over.
  bool Error = false;

 private:
  AnsiString FReplacementClassName;
  int32_t FNextEvent = 1;
  TStringList FEventNames;
};

// Put in front of the component's Name as the root name of a saved stream.
extern const char* const RootNamePrefix;
// Offered every loading fault that the filer did not handle; it may set
// `handled`.
extern std::function<void(const AnsiString& message, bool& handled)> CompFilerErrorHook;
