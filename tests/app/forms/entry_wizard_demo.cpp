// Shows the five pages of the entry-file wizard side by side, filled from a
// small example store, for tools/screenshot-entry-wizard.sh. Ends after the
// given seconds.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "app/forms/Meldefile.h"
#include "classlib/Application.h"
#include "tests/app/forms/DemoEvent.h"

int main(int argc, char** argv) {
  int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
  TApplication::Instance();
  EventState state;
  demo::openEvent(state, "kel_wizard_demo");
  demo::addTeam(state, 0, 0, "GYMNASIUM AM STADTPARK UND SCHLOSSWEG", "GYM. AM STADTPARK UND SCHLOSSWEG",
                "Gym. Stadtpark", "Frau Dr. Müller-Lüdenscheidt", 5123);
  demo::addTeam(state, 0, 1, "REALSCHULE ÜBERLINGEN", "RS Überlingen", "RS Überlingen", "Herr Groß", 5310);
  demo::addTeam(state, 2, 0, "GYMNASIUM AM STADTPARK UND SCHLOSSWEG", "GYM. AM STADTPARK UND SCHLOSSWEG",
                "Gym. Stadtpark", "Frau Dr. Müller-Lüdenscheidt", 6012);
  demo::addTeam(state, 3, 0, "TEILHAUPTSCHULE SEEBLICK", "TEILHS SEEBLICK",
                "THS Seeblick", "Herr Kaya", 6240);

  std::unique_ptr<TMeldefile> pages[5];
  for (int p = 0; p < 5; ++p) {
    pages[p] = std::make_unique<TMeldefile>(nullptr, state);
    TMeldefile& f = *pages[p];
    f.SetPosition(poDesigned);
    f.SetBounds(10 + (p % 3) * 520, 10 + (p / 3) * 410, f.Width(), f.Height());
    f.Path->SetText("C:\\Schule\\meldung");
    f.FileName->SetText("GYMNASIUM AM STADTPARK.VOV");
    f.MailAdress->SetText("meldung@schulsport-kn.de");
    if (p == 3) f.RadioGroup1->SetItemIndex(1);
    f.CheckList1->Uncheck(2);
    f.bsWizard1->SetActivePageIndex(p);
    f.Show();
  }
  DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  while (GetTickCount() < end) {
    Application->ProcessMessages();
    Sleep(20);
  }
  for (auto& p : pages) p.reset();
  state.memory.reset();
  for (const char* ext : {"SDA", "MDA", "STF"}) DeleteFileA(DataFilePath(state, ext).c_str());
  RemoveDirectoryA(state.settings.veranstDir.c_str());
  return 0;
}
