#pragma once
// A label whose caption is a web or mail address; a click hands the address
// to the system shell, which opens the browser or the mail program.
#include <functional>

#include "classlib/Label.h"

enum THTTPorMAIL { hmHTTP, hmMAIL };

class TURLLabel : public TLabel {
 public:
  explicit TURLLabel(TComponent* owner);

  THTTPorMAIL HTTPorMail() const { return FHTTPorMail; }
  void SetHTTPorMail(THTTPorMAIL v);
  TColor URLColStd() const { return FColStd; }
  void SetColStd(TColor c);
  TColor URLColPre() const { return FColPre; }
  void SetColPre(TColor c);

  // The address a click opens: "mailto:" before a mail address; "http://"
  // before a web address unless it already names a scheme.
  AnsiString Address() const;

  void Click() override;
  void MouseDown(int x, int y) override;
  void MouseUp(int x, int y) override;

  // The shell call (ShellExecuteA with "open"); tests replace it.
  static std::function<void(const AnsiString& address)> OpenAddress;

 private:
  THTTPorMAIL FHTTPorMail = hmHTTP;
  TColor FColStd = clBlue;
  TColor FColPre = clRed;
};
