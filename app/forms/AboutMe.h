#pragma once
// The about box: the program's picture, name and version line, the maker's
// notices and a mail and a web link.
#include "classlib/Button.h"
#include "classlib/Form.h"
#include "classlib/Image.h"
#include "classlib/Label.h"
#include "components/edits/URLLabel.h"

struct Settings;

class TAboutMe : public TForm {
 public:
  TAboutMe(TComponent* owner, const Settings& settings);

  // The version line of a file version ("6.0.1.923") and its file flags.
  static AnsiString VersionLine(const AnsiString& fileVersion, uint32_t fileFlags);

  TImage* Image1;
  TLabel* Label1;
  TLabel* Version;
  TLabel* Copyright;
  TLabel* Comments;
  TURLLabel* URLLabel2;
  TURLLabel* URLLabel3;
  TButton* Button1;

  void FormCreate(TObject* sender);

 private:
  TLabel* MakeCentred(const char* name, const char* caption, int top, int height);

  const Settings& FSettings;
};
