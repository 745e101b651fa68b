#pragma once
// Root classes of the class library: TObject (a polymorphic object that lists
// can point to) and TPersistent (an object whose state can be assigned).
class TObject {
 public:
  virtual ~TObject() = default;
};

class TPersistent : public TObject {
 public:
  // Copies the state of `source`; raises EConvertError when the two classes
  // do not know each other.
  virtual void Assign(const TPersistent& source);
};
