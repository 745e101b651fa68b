// Shows the forms of the entry road filled with a small example store, for
// the screenshot script: the team record dialog, the print choice, the class
// chooser and the about box side by side. Ends after the given seconds;
// a second argument shows that page of the team record dialog.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "app/forms/AboutMe.h"
#include "app/forms/DlgMNEdit.h"
#include "app/forms/OpenDatei.h"
#include "app/forms/PrintFrm.h"
#include "app/forms/PrintManager.h"
#include "classlib/Application.h"
#include "tests/app/forms/DemoEvent.h"

int main(int argc, char** argv) {
  int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
  int page = argc > 2 ? std::atoi(argv[2]) : 0;  // the team dialog's page
  TApplication::Instance();
  EventState state;
  demo::openEvent(state, "kel_forms_demo");
  demo::addTeam(state, 0, 0, "GYMNASIUM AM STADTPARK UND SCHLOSSWEG", "GYM. AM STADTPARK UND SCHLOSSWEG",
                "Gym. Stadtpark", "Frau Dr. Müller-Lüdenscheidt", 5123);
  demo::addTeam(state, 0, 1, "REALSCHULE ÜBERLINGEN", "RS Überlingen", "RS Überlingen", "Herr Groß", 5310);
  demo::addTeam(state, 2, 0, "GYMNASIUM AM STADTPARK UND SCHLOSSWEG", "GYM. AM STADTPARK UND SCHLOSSWEG",
                "Gym. Stadtpark", "Frau Dr. Müller-Lüdenscheidt", 6012);
  demo::addTeam(state, 3, 0, "TEILHAUPTSCHULE SEEBLICK", "TEILHS SEEBLICK",
                "THS Seeblick", "Herr Kaya", 6240);
  demo::addTeam(state, 5, 4, "GRUNDSCHULE WALLHAUSEN", "GS Wallhausen",
                "GS Wallhausen", "Frau Özdemir", 0);

  TDlgMNEdit team(nullptr, state);
  team.LoadTeam(0, 0, 1);
  team.SetPosition(poDesigned);
  team.SetBounds(10, 10, team.Width(), team.Height());
  team.Show();

  PrintState printState;
  TPrintFrm print(nullptr, state, printState);
  print.SetPosition(poDesigned);
  print.SetBounds(430, 10, print.Width(), print.Height());
  print.CheckList1->Uncheck(3);
  print.Show();

  TOpenDatei chooser(nullptr, state);
  chooser.SetPosition(poDesigned);
  chooser.SetBounds(940, 10, chooser.Width(), chooser.Height());
  chooser.Show();

  // The version of the about-box tests' release program file.
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder = self;
  state.settings.programDir = folder.substr(0, folder.find_last_of("\\/") + 1) + "versions\\release\\";
  TAboutMe about(nullptr, state.settings);
  about.SetPosition(poDesigned);
  about.SetBounds(10, 380, about.Width(), about.Height());
  about.Show();

  team.SetActiveControl(team.Schulname);
  if (page > 0) {
    team.PageControl1->SetActivePageIndex(page);
    if (TWinControl* first = team.PageControl1->Pages(page)->FindNextControl(nullptr, true, true))
      team.SetActiveControl(first);
  }
  SetForegroundWindow(team.Handle());
  DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  while (GetTickCount() < end) {
    Application->ProcessMessages();
    Sleep(20);
  }
  state.memory.reset();
  for (const char* ext : {"SDA", "MDA", "STF"}) DeleteFileA(DataFilePath(state, ext).c_str());
  RemoveDirectoryA(state.settings.veranstDir.c_str());
  return 0;
}
