#include "app/forms/AboutMe.h"

#include <cstdio>
#include <cstdlib>

#include "app/forms/MyVersionInfo.h"
#include "classlib/JPEGImage.h"

AnsiString TAboutMe::VersionLine(const AnsiString& fileVersion, uint32_t flags) {
  AnsiString suffix = (flags & VS_FF_DEBUG) ? " - BETA" : "";
  // "6.0.1.923": version part "6.0.1", build "923".
  AnsiString version = fileVersion, build;
  size_t dot = fileVersion.rfind('.');
  if (dot != AnsiString::npos) {
    version = fileVersion.substr(0, dot);
    build = fileVersion.substr(dot + 1);
  }
  // The last number of the version part gives two digits and a letter:
  // "6.0.1" becomes "6.00a", "6.0.200" becomes "6.02".
  size_t last = version.rfind('.');
  if (last != AnsiString::npos) {
    AnsiString head = version.substr(0, last);
    long n = std::strtol(version.c_str() + last + 1, nullptr, 10);
    char buf[96];
    if (n % 100 != 0)
      std::snprintf(buf, sizeof buf, "%s%ld%c", head.c_str(), n / 100,
                    static_cast<char>('a' + n % 100 - 1));
    else
      std::snprintf(buf, sizeof buf, "%s%ld", head.c_str(), n / 100);
    version = buf;
  }
  if (flags & VS_FF_DEBUG) return "Vorabversion (Build " + build + ") " + suffix;
  if (flags & VS_FF_PRERELEASE) return "Vorabversion (Build " + build + ")";
  return "Version " + version + " (Build " + build + ") " + suffix;
}

TLabel* TAboutMe::MakeCentred(const char* name, const char* caption, int top, int height) {
  auto* l = new TLabel(this);
  l->SetName(name);
  l->SetParent(this);
  l->SetAutoSize(false);
  l->SetAlignment(taCenter);
  l->SetBounds(0, top, 352, height);
  l->SetCaption(caption);
  return l;
}

TAboutMe::TAboutMe(TComponent* owner, const Settings& settings) : TForm(owner), FSettings(settings) {
  SetName("AboutMe");
  SetCaption("Info über das Zavrolin");
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  SetClientSize(352, 306);

  Image1 = new TImage(this);
  Image1->SetName("Image1");
  Image1->SetParent(this);
  Image1->SetBounds(0, 0, 355, 185);
  Image1->SetStretch(true);
  TJPEGImage::LoadFromResourceName(GetModuleHandleA(nullptr), "ABOUTPICTURE", Image1->Picture());

  Label1 = MakeCentred("Label1", "Zavrolin »Leichtathletik«", 190, 20);
  Label1->Font().SetSize(11);
  Label1->Font().SetStyle(fsBold);
  Version = MakeCentred("Version", "Version", 212, 15);
  Copyright = MakeCentred("Copyright", "© 2026 Kelvora. Alle Rechte vorbehalten.", 230, 15);
  Comments = MakeCentred("Comments", "Wettkampfmeldung für den Schulsport", 245, 15);

  URLLabel2 = new TURLLabel(this);
  URLLabel2->SetName("URLLabel2");
  URLLabel2->SetParent(this);
  URLLabel2->SetAutoSize(false);
  URLLabel2->SetBounds(12, 272, 160, 15);
  URLLabel2->SetHTTPorMail(hmMAIL);
  URLLabel2->SetCaption("info@kelvora.de");
  URLLabel3 = new TURLLabel(this);
  URLLabel3->SetName("URLLabel3");
  URLLabel3->SetParent(this);
  URLLabel3->SetAutoSize(false);
  URLLabel3->SetBounds(12, 288, 160, 15);
  URLLabel3->SetHTTPorMail(hmHTTP);
  URLLabel3->SetCaption("www.kelvora.de");

  Button1 = new TButton(this);
  Button1->SetName("Button1");
  Button1->SetParent(this);
  Button1->SetBounds(265, 273, 75, 25);
  Button1->SetCaption("OK");
  Button1->SetDefault(true);
  Button1->SetCancel(true);
  Button1->SetModalResult(mrOk);

  SetActiveControl(Button1);
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnCreate(this);
}

void TAboutMe::FormCreate(TObject*) {
  MyVersionInfo info(FSettings);
  const char *fileVersion = nullptr, *copyright = nullptr, *product = nullptr;
  if (!info.getFileVersion(&fileVersion) || !info.getLegalCopyright(&copyright) ||
      !info.getProductName(&product))
    return;
  const VS_FIXEDFILEINFO* fixed = nullptr;
  uint32_t flags = info.getFixedInfo(&fixed) ? fixed->dwFileFlags : 0;
  Version->SetCaption(VersionLine(fileVersion, flags));
}
