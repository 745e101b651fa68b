#pragma once
// Root classes of the class library: TObject (a polymorphic object that lists
// can point to) and TPersistent (an object whose state can be assigned and
// streamed).
struct TClassInfo;
class TFiler;

class TObject {
 public:
  virtual ~TObject() = default;
  // The table of the object's class (TypInfo.h); a class without a table of
  // its own gives its nearest ancestor's.
  static const TClassInfo Info;
  virtual const TClassInfo& ClassInfo() const { return Info; }
  const char* ClassName() const;
};

class TPersistent : public TObject {
 public:
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  // Copies the state of `source`; raises EConvertError when the two classes
  // do not know each other.
  virtual void Assign(const TPersistent& source);
  // Declares data streamed beside the published properties (Filer.h).
  virtual void DefineProperties(TFiler&) {}
};
