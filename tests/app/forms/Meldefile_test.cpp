// The entry-file wizard on a real window: the teams it offers, its page
// steering for saving and for mail, and the folder field's second button.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "app/forms/Meldefile.h"
#include "components/buttonedits/controls/PopupListBox.h"
#include "tests/support/FormTest.h"
#include "tests/support/MessageInput.h"
#include "tests/support/WindowQuery.h"
#include "tests/support/TestFiles.h"

using namespace kel::test;

namespace {

class Meldefile : public ::testing::Test {
 protected:
  void SetUp() override {
    TApplication::Instance();
    state_.settings.veranstDir = dir_.path();
    state_.eventName = "\\Wizard.";
    state_.eventDef = std::make_unique<EventDefinition>();
    std::memset(state_.eventDef.get(), 0, sizeof(EventDefinition));
    state_.eventDef->classCount = 2;
    for (int c = 0; c < 2; ++c) {
      SetFieldText(state_.eventDef->classes[c].name, "WK " + std::to_string(c + 1));
      state_.eventDef->classes[c].athletesPerTeam = 3;
      state_.eventDef->classes[c].teamPlaces = 20;
      state_.eventDef->classes[c].disciplineCount = 1;
    }
    ASSERT_EQ(CreateBlankDataFiles(state_), 1);
    state_.memory = std::make_unique<Memory>(state_);
    ASSERT_TRUE(state_.memory->isReady());
    releaseKeys();
  }
  void TearDown() override {
    form_.reset();
    state_.memory.reset();
    for (const char* ext : {"SDA", "MDA", "STF"}) DeleteFileA(DataFilePath(state_, ext).c_str());
  }
  // A team with athletes named; `mask` is the first athlete's disciplines,
  // or, for `athlete` beyond the class's size, of that athlete only.
  void addTeam(int c, int t, const char* list, uint8_t mask, int athlete = 0) {
    TeamRecord* r = state_.memory->loadTeamAthletes(c, t);
    SetFieldText(r->schoolName, "SCHULE");
    SetFieldText(r->listName, list);
    for (int m = 0; m <= athlete; ++m) SetFieldText(state_.memory->getAthlete(c, t, m)->name, "Kind");
    state_.memory->getAthlete(c, t, athlete)->mask = mask;
  }
  TMeldefile& show() {
    form_ = std::make_unique<TMeldefile>(nullptr, state_);
    form_->Show();
    pump();
    return *form_;
  }
  int next() {
    form_->bsWizard1->NextButton->Click();
    pump();
    return form_->bsWizard1->GetActivePageIndex();
  }
  int back() {
    form_->bsWizard1->BackButton->Click();
    pump();
    return form_->bsWizard1->GetActivePageIndex();
  }
  // Whether a visible label of the active page reads `text`.
  bool pageShows(const std::string& text) {
    TbsWizardPage* page = form_->bsWizard1->ActivePage();
    for (int i = 0; page && i < page->ControlCount(); ++i)
      if (page->Controls(i)->Visible() && page->Controls(i)->Caption() == text) return page->Visible();
    return false;
  }

  kel::test::TempDir dir_;
  EventState state_;
  std::unique_ptr<TMeldefile> form_;
};

TEST_F(Meldefile, OffersTeamsWithAnAthleteInADisciplineAllTicked) {
  addTeam(0, 0, "Gym. Nord", 1);
  addTeam(0, 3, "Ohne Disziplin", 0);
  addTeam(0, 5, "Nur Nummer vier", 1, 3);  // beyond the class's three athletes
  addTeam(1, 2, "RS Süd", 4);
  TMeldefile& f = show();
  ASSERT_EQ(f.LineCount(), 2);
  EXPECT_EQ(f.CheckList1->Items().Strings(0), "WK 1\tGym. Nord");
  EXPECT_EQ(f.CheckList1->Items().Strings(1), "WK 2\tRS Süd");
  EXPECT_EQ(f.LineClass(1), 1);
  EXPECT_EQ(f.LineTeam(1), 2);
  EXPECT_TRUE(f.CheckList1->IsChecked(0));
  EXPECT_TRUE(f.CheckList1->IsChecked(1));
  EXPECT_EQ(f.CheckList1->ItemIndex(), 0);
  EXPECT_EQ(f.Path->GetText(), "c:\\");
  EXPECT_EQ(f.FileName->Text(), "Transfer");

  form_.reset();
  state_.memory->getAthlete(0, 0, 0)->mask = 0;
  state_.memory->getAthlete(1, 2, 0)->mask = 0;
  TMeldefile& empty = show();
  EXPECT_EQ(empty.LineCount(), 0);
  EXPECT_EQ(empty.CheckList1->ItemIndex(), -1);
}

TEST_F(Meldefile, SavingSkipsTheMailPageBothWays) {
  TMeldefile& f = show();
  EXPECT_EQ(f.bsWizard1->GetActivePageIndex(), 0);
  EXPECT_EQ(next(), 1);
  EXPECT_EQ(next(), 2);
  EXPECT_EQ(next(), 4);
  EXPECT_TRUE(pageShows("Herzlichen Glückwunsch!"));
  EXPECT_EQ(WindowText(f.bsWizard1->NextButton->Handle()), "&Fertigstellen");
  EXPECT_EQ(back(), 2);
  EXPECT_EQ(back(), 1);
}

TEST_F(Meldefile, MailStaysOnTheAddressUntilOneIsTyped) {
  TMeldefile& f = show();
  f.RadioGroup1->SetItemIndex(1);
  next();
  next();
  EXPECT_EQ(next(), 3);
  EXPECT_EQ(GetFocus(), f.MailAdress->Handle());
  EXPECT_EQ(next(), 3);
  EXPECT_EQ(GetFocus(), f.MailAdress->Handle());
  postText(f.MailAdress->Handle(), "info@veranstalter.de");
  EXPECT_EQ(next(), 4);
  EXPECT_EQ(back(), 3);

  // Back to the start and saving chosen: the mail page is skipped again.
  back();
  back();
  EXPECT_EQ(back(), 0);
  f.RadioGroup1->SetItemIndex(0);
  next();
  next();
  EXPECT_EQ(next(), 4);
}

TEST_F(Meldefile, TheSecondFolderButtonCreatesEveryMissingFolder) {
  TMeldefile& f = show();
  std::vector<std::string> confirmed;
  f.Confirm = [&](const AnsiString& text) { confirmed.push_back(text); };
  const std::string target = dir_.path() + "\\a\\b\\c";
  f.Path->SetText(target);
  f.Path->Button2().Button()->Click();
  EXPECT_EQ(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_DIRECTORY, DWORD(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(confirmed, std::vector<std::string>({"Pfad (Verzeichnis) wurde erzeugt"}));

  // An empty folder raises and confirms nothing.
  f.Path->SetText("");
  EXPECT_THROW(f.PathButton2Click(f.Path), Exception);
  EXPECT_EQ(confirmed.size(), 1u);
  for (const char* d : {"\\a\\b\\c", "\\a\\b", "\\a"}) RemoveDirectoryA((dir_.path() + d).c_str());
}

TEST_F(Meldefile, AltDownOpensTheFolderFieldsEmptyListAndEscapeClosesIt) {
  TMeldefile& f = show();
  ASSERT_EQ(next(), 1);
  ASSERT_EQ(next(), 2);
  HWND editor = f.Path->Edit()->Handle();
  SetFocus(editor);
  pump();
  auto* list = dynamic_cast<TPopupListBox*>(f.Path->PopupWindow());
  ASSERT_NE(list, nullptr);
  SendMessageA(editor, WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
  pump();
  ASSERT_TRUE(f.Path->DroppedDown());
  EXPECT_TRUE(IsWindowVisible(list->Handle()));
  EXPECT_EQ(list->ClientSize().cy, list->ItemHeight()) << "one row";
  EXPECT_EQ(GetFocus(), editor) << "the list never takes the focus";

  postKey(editor, VK_ESCAPE);
  EXPECT_FALSE(f.Path->DroppedDown());
  EXPECT_FALSE(IsWindowVisible(list->Handle()));
  EXPECT_EQ(f.Path->GetText(), "c:\\") << "closing without a choice keeps the folder";
  EXPECT_EQ(f.bsWizard1->GetActivePageIndex(), 2) << "Escape stays with the list, the wizard is not cancelled";
}

}  // namespace
