#pragma once
// A list shown anywhere on the screen: it reports the chosen line to a
// callback (-1 when it closes without a choice). While it is open the keys
// sent to the control that opened it go to the list.
#include <functional>
#include <vector>

#include "components/buttonedits/controls/PopupListBox.h"

using TPopupSelectEvent = std::function<void(TObject* sender, int index)>;

class TDCPopupListBox : public TPopupListBox {
 public:
  explicit TDCPopupListBox(TComponent* owner);
  ~TDCPopupListBox() override;

  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int w) { FMaxWidth = w; }
  TPopupSelectEvent OnSelect;

  // Shows the list top-most at the screen point (moved above and to the
  // left when it would leave the screen), the first line selected.
  void Popup(int x, int y);
  void Close(bool accept) override;
  bool IsOpen() const { return FOpen; }

 private:
  static LRESULT CALLBACK KeyRedirect(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR data) noexcept;

  int FMaxWidth = 0;
  HWND FRedirected = nullptr;
  bool FOpen = false;
};

// Creates a free-standing list for `control` with the items, one column
// per alignment, the font (or "MS Sans Serif" 8 points) and the callback,
// and opens it at (x, y) of the control's client area. The list belongs to
// the control (its owner frees it).
TDCPopupListBox* PopupListbox(TWinControl* control, const std::vector<std::string>& items, int x, int y,
                              const std::vector<TLeftRightAlign>& alignments, TFont* font, TPopupSelectEvent onSelect,
                              int maxWidth);
