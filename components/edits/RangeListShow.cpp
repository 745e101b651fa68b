#include <windows.h>

#include "components/edits/RangeList.h"

void TRangeList::Show() const {
  AnsiString text;
  for (int32_t i = 0; i < Count(); ++i) {
    if (i > 0) text += (i % 10 == 0) ? "\r\n" : ", ";
    text += std::to_string(Items(i));
  }
  MessageBoxA(GetActiveWindow(), text.c_str(), "Liste", MB_OK | MB_ICONINFORMATION);
}
