#include "classlib/Screen.h"

#include <algorithm>

#include "classlib/Control.h"
#include "classlib/Form.h"

namespace {
const char* cursorId(TCursor c) {
  switch (c) {
    case crCross: return IDC_CROSS;
    case crIBeam: return IDC_IBEAM;
    case crSizeAll: return IDC_SIZEALL;
    case crUpArrow: return IDC_UPARROW;
    case crHourGlass: return IDC_WAIT;
    case crNo:
    case crNoDrop: return IDC_NO;
    case crHandPoint: return IDC_HAND;
    case crAppStart: return IDC_APPSTARTING;
    default: return IDC_ARROW;
  }
}
}  // namespace

void TScreen::SetCursor(TCursor cursor) {
  FCursor = cursor;
  if (cursor != crDefault) {
    ::SetCursor(LoadCursorA(nullptr, cursorId(cursor)));
  } else {
    POINT p;
    GetCursorPos(&p);
    SetCursorPos(p.x, p.y);  // the window under the cursor sets its own again
  }
}

HCURSOR CursorHandle(TCursor cursor) {
  return cursor == crDefault ? nullptr : LoadCursorA(nullptr, cursorId(cursor));
}

HCURSOR ScreenCursorHandle() {
  return Screen && Screen->Cursor() != crDefault ? LoadCursorA(nullptr, cursorId(Screen->Cursor()))
                                                 : nullptr;
}

TCustomForm* TScreen::ActiveForm() const {
  return dynamic_cast<TCustomForm*>(FindControl(GetActiveWindow()));
}

TCustomForm* TScreen::Forms(int index) const {
  return index >= 0 && index < FormCount() ? FForms[static_cast<size_t>(index)] : nullptr;
}

void TScreen::AddForm(TCustomForm* form) {
  if (std::find(FForms.begin(), FForms.end(), form) == FForms.end()) FForms.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
}
