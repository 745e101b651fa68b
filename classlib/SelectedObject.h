#pragma once
// An object selected into a device context for as long as the guard lives:
// SelectObject on construction, the context's previous object selected back
// on destruction, also when the drawing in between returns early or throws.
//
//   TSelectedObject useFont(dc, font.Handle());
//
// The guard neither owns the context nor the object; an object it selects
// must outlive it (declare an owned handle before the guard). A region is
// not selected this way (SelectObject copies it and answers no previous
// one): the guard leaves a region alone.
#include <windows.h>

class TSelectedObject {
 public:
  TSelectedObject(HDC dc, HGDIOBJ object) noexcept
      : dc_(dc),
        old_(dc && object && GetObjectType(object) != OBJ_REGION ? SelectObject(dc, object) : nullptr) {}
  ~TSelectedObject() {
    if (old_) SelectObject(dc_, old_);
  }
  TSelectedObject(const TSelectedObject&) = delete;
  TSelectedObject& operator=(const TSelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};
