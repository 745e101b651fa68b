// The wizard control on a real form: its buttons, the steps with their
// events in order, invisible pages, refusing handlers, page indices, and the
// modal host's results.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/Filer.h"
#include "classlib/ObjectText.h"
#include "classlib/Stream.h"
#include "components/edits/BsWizard.h"
#include "tests/support/FormTest.h"
#include "tests/support/MessageInput.h"
#include "tests/support/WindowQuery.h"

using namespace kel::test;

namespace {

// A shown form with a wizard of five pages, recording every event.
struct WizardForm : TForm {
  explicit WizardForm(int pages = 5, bool show = true) : TForm(nullptr) {
    SetCaption("Probe");
    SetBorderStyle(bsDialog);
    SetClientSize(497, 357);
    Wizard = new TbsWizard(this);
    Wizard->SetParent(this);
    Wizard->SetBounds(0, 0, 497, 357);
    for (int i = 0; i < pages; ++i) {
      TbsWizardPage* p = Wizard->AddPage(i == 0 ? wpkWelcome : wpkInterior);
      p->OnShow = [this, i](TObject*) { log("show" + std::to_string(i)); };
      p->OnHide = [this, i](TObject*) { log("hide" + std::to_string(i)); };
    }
    Wizard->OnNext = [this](TObject*, bool& allow) {
      log("next");
      if (onNext) onNext(allow);
    };
    Wizard->OnBack = [this](TObject*, bool&) { log("back"); };
    Wizard->OnChanging = [this](TObject*, bool forward, bool& allow) {
      log(forward ? "changing+" : "changing-");
      allow = allowChange;
    };
    Wizard->OnChange = [this](TObject*, bool forward) { log(forward ? "change+" : "change-"); };
    Wizard->OnFinish = [this](TObject*) { log("finish"); };
    Wizard->OnCanceling = [this](TObject*, bool& allow) {
      log("canceling");
      allow = allowCancel;
    };
    Wizard->OnCancel = [this](TObject*) { log("cancel"); };
    Wizard->SetActivePageIndex(0);
    if (show) {
      Show();
      pump();
    }
    events.clear();
  }
  void log(const std::string& e) { events.push_back(e); }
  void next() {
    Wizard->NextButton->Click();
    pump();
  }
  TbsWizard* Wizard;
  std::vector<std::string> events;
  std::function<void(bool&)> onNext;
  bool allowChange = true;
  bool allowCancel = true;
};

using Events = std::vector<std::string>;

TEST(BsWizard, ButtonsSitOnThePanelWithTheirCaptionsAndStates) {
  WizardForm f;
  struct Case {
    TbsButton* button;
    int left;
    const char* caption;
  } cases[] = {{f.Wizard->BackButton, 252, "< &Zurück"},
               {f.Wizard->NextButton, 327, "&Weiter >"},
               {f.Wizard->CancelButton, 412, "&Abbruch"}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.button->Parent(), f.Wizard->ButtonPanel);
    EXPECT_EQ(c.button->Left(), c.left);
    EXPECT_EQ(c.button->Top(), 14);
    EXPECT_EQ(c.button->Width(), 75);
    EXPECT_EQ(c.button->Height(), 23);
    EXPECT_EQ(WindowText(c.button->Handle()), c.caption);
  }
  EXPECT_EQ(f.Wizard->ButtonPanel->Top(), 357 - 47);
  EXPECT_EQ(f.Wizard->ButtonPanel->Height(), 47);
  EXPECT_TRUE(f.Wizard->NextButton->Default());
  EXPECT_TRUE(f.Wizard->CancelButton->Cancel());
  EXPECT_FALSE(f.Wizard->BackButton->Enabled());  // first visible page

  // The last visible page finishes, even with an invisible page after it.
  f.Wizard->Pages(4)->SetPageVisible(false);
  f.Wizard->SetActivePageIndex(3);
  EXPECT_EQ(WindowText(f.Wizard->NextButton->Handle()), "&Fertigstellen");
  EXPECT_TRUE(f.Wizard->BackButton->Enabled());
  f.Wizard->Pages(4)->SetPageVisible(true);
  EXPECT_EQ(WindowText(f.Wizard->NextButton->Handle()), "&Weiter >");
  f.Wizard->Pages(3)->SetValid(false);
  EXPECT_FALSE(f.Wizard->NextButton->Enabled());

  // No active page: neither Back nor Next; the page index is -1 either way.
  f.events.clear();
  for (int index : {-1, 5}) {
    f.Wizard->SetActivePageIndex(2);
    f.Wizard->SetActivePageIndex(index);
    EXPECT_EQ(f.Wizard->GetActivePageIndex(), -1);
    EXPECT_FALSE(f.Wizard->Pages(2)->Visible());
    EXPECT_FALSE(f.Wizard->BackButton->Enabled());
    EXPECT_FALSE(f.Wizard->NextButton->Enabled());
  }
  EXPECT_TRUE(f.events == Events({"show2", "hide3", "hide2", "show2", "hide2"})) << ::testing::PrintToString(f.events);
}

TEST(BsWizard, OneStepRunsItsEventsInOrder) {
  WizardForm f;
  f.Wizard->Pages(0)->OnValidate = [&](TObject*, bool&, AnsiString&) { f.log("validate"); };
  f.next();
  EXPECT_EQ(f.Wizard->GetActivePageIndex(), 1);
  EXPECT_TRUE(f.events == Events({"validate", "next", "changing+", "show1", "hide0", "change+"}))
      << ::testing::PrintToString(f.events);
  EXPECT_TRUE(f.Wizard->Pages(1)->Visible());
  EXPECT_FALSE(f.Wizard->Pages(0)->Visible());

  f.events.clear();
  f.Wizard->BackButton->Click();
  pump();
  EXPECT_EQ(f.Wizard->GetActivePageIndex(), 0);
  EXPECT_TRUE(f.events == Events({"back", "changing-", "show0", "hide1", "change-"}))
      << ::testing::PrintToString(f.events);
}

TEST(BsWizard, InvisiblePagesAreSkippedAndAnOnNextJumpMovesOnFromThere) {
  WizardForm f;
  f.Wizard->Pages(3)->SetPageVisible(false);
  f.Wizard->SetActivePageIndex(2);
  f.events.clear();
  f.next();
  EXPECT_EQ(f.Wizard->GetActivePageIndex(), 4);
  f.Wizard->BackButton->Click();
  pump();
  EXPECT_EQ(f.Wizard->GetActivePageIndex(), 2);

  // From index 1, OnNext setting index 2 ends on the page after it, with one
  // changing/change pair.
  f.Wizard->Pages(3)->SetPageVisible(true);
  f.Wizard->SetActivePageIndex(1);
  f.onNext = [&](bool&) {
    if (f.Wizard->GetActivePageIndex() == 1) f.Wizard->SetActivePageIndex(2);
  };
  f.events.clear();
  f.next();
  EXPECT_EQ(f.Wizard->GetActivePageIndex(), 3);
  EXPECT_TRUE(f.events == Events({"next", "show2", "hide1", "changing+", "show3", "hide2", "change+"}))
      << ::testing::PrintToString(f.events);
}

TEST(BsWizard, RefusingHandlersStopTheStep) {
  WizardForm f;
  // OnNext refuses: no change, no finish.
  f.onNext = [](bool& allow) { allow = false; };
  f.next();
  EXPECT_EQ(f.Wizard->GetActivePageIndex(), 0);
  EXPECT_TRUE(f.events == Events({"next"})) << ::testing::PrintToString(f.events);
  f.Wizard->SetActivePageIndex(4);
  f.events.clear();
  f.next();
  EXPECT_TRUE(f.events == Events({"next"})) << ::testing::PrintToString(f.events);

  // OnChanging refuses: OnNext has run, the page stays, no OnChange.
  f.onNext = nullptr;
  f.allowChange = false;
  f.Wizard->SetActivePageIndex(1);
  f.events.clear();
  f.next();
  EXPECT_EQ(f.Wizard->GetActivePageIndex(), 1);
  EXPECT_TRUE(f.events == Events({"next", "changing+"})) << ::testing::PrintToString(f.events);

  // A refused validation reaches the exception display with its message;
  // OnNext does not run.
  f.allowChange = true;
  std::string shown;
  Application->OnException = [&](const std::exception& e) { shown = e.what(); };
  f.Wizard->Pages(1)->OnValidate = [](TObject*, bool& accept, AnsiString& message) {
    accept = false;
    message = "Bitte erst ausfüllen";
  };
  f.events.clear();
  f.next();
  Application->OnException = nullptr;
  EXPECT_EQ(shown, "Bitte erst ausfüllen");
  EXPECT_EQ(f.Wizard->GetActivePageIndex(), 1);
  EXPECT_TRUE(f.events.empty()) << ::testing::PrintToString(f.events);
}

TEST(BsWizard, PageIndicesAndRemoval) {
  WizardForm f(4);
  TbsWizardPage* second = f.Wizard->Pages(1);
  for (int bad : {4, -1}) {
    try {
      second->SetPageIndex(bad);
      ADD_FAILURE() << "no error for " << bad;
    } catch (const EbsWizardError& e) {
      EXPECT_EQ(std::string(e.what()), std::to_string(bad) +
                                           " is an invalid PageIndex value.  PageIndex must be between 0 and 3");
    }
  }
  second->SetPageIndex(3);
  EXPECT_EQ(f.Wizard->Pages(3), second);
  EXPECT_EQ(second->PageIndex(), 3);

  // Only the removal of the active page moves the active page, to the page
  // that followed it.
  TbsWizardPage* first = f.Wizard->Pages(0);
  delete f.Wizard->Pages(1);
  EXPECT_EQ(f.Wizard->PageCount(), 3);
  EXPECT_EQ(f.Wizard->ActivePage(), first);
  TbsWizardPage* following = f.Wizard->Pages(1);
  delete first;
  EXPECT_EQ(f.Wizard->ActivePage(), following);
  EXPECT_TRUE(following->Visible());

  // A page takes only a wizard as parent.
  TForm other(nullptr);
  following->SetParent(&other);
  EXPECT_EQ(following->Parent(), f.Wizard);
}

TEST(BsWizard, AModalHostEndsWithOkOnFinishAndCancelOnCancel) {
  {
    WizardForm f(2, false);
    f.Wizard->SetActivePageIndex(1);
    f.events.clear();
    EXPECT_EQ(runForm([&] { return f.ShowModal(); }, {[&] { f.Wizard->NextButton->Click(); }}), mrOk);
    EXPECT_TRUE(f.events == Events({"next", "finish"})) << ::testing::PrintToString(f.events);
  }
  {
    WizardForm f(2, false);
    EXPECT_EQ(runForm([&] { return f.ShowModal(); },
                      {[&] {
                        f.allowCancel = false;
                        f.Wizard->CancelButton->Click();  // refused: the form stays
                        pump();
                        f.allowCancel = true;
                        postKey(f.Wizard->NextButton->Handle(), VK_ESCAPE);
                      }}),
              mrCancel);
    EXPECT_TRUE(f.events == Events({"canceling", "canceling", "cancel"})) << ::testing::PrintToString(f.events);
  }
}

}  // namespace

namespace {

// A hidden form with a wizard whose pages have the given names, in order.
struct NamedPagesForm : TForm {
  explicit NamedPagesForm(const std::vector<std::string>& names) : TForm(nullptr) {
    Wizard = new TbsWizard(this);
    Wizard->SetName("bsWizard1");
    Wizard->SetParent(this);
    for (const std::string& name : names) Wizard->AddPage(wpkInterior)->SetName(name.c_str());
  }
  std::string pageNames() const {
    std::string out;
    for (int32_t i = 0; i < Wizard->PageCount(); ++i) {
      TbsWizardPage* p = Wizard->Pages(i);
      const bool sound = p->Wizard() == Wizard && p->Parent() == Wizard && p->Owner() == this && p->PageIndex() == i;
      out += std::string(p->Name().c_str()) + (sound ? " " : "! ");
    }
    return out;
  }
  TbsWizard* Wizard;
};

struct StreamClasses {
  StreamClasses() {
    RegisterStreamClass(TbsWizard::Info);
    RegisterStreamClass(TbsWizardPage::Info);
  }
  ~StreamClasses() {
    UnRegisterStreamClass(TbsWizard::Info);
    UnRegisterStreamClass(TbsWizardPage::Info);
  }
};

}  // namespace

TEST(BsWizard, StreamsItsPagesFirstInPageOrderAndLeavesItsButtonPanelOut) {
  NamedPagesForm f({"Willkommen", "Schulen", "Ordner"});
  f.Wizard->MovePage(2, 0);
  auto* extra = new TWinControl(&f);  // another control of the form, on the wizard
  extra->SetName("Extra");
  extra->SetParent(f.Wizard);
  auto* own = new TWinControl(f.Wizard);  // the wizard's own, like its button panel
  own->SetName("Own");
  own->SetParent(f.Wizard);
  std::string handed;
  f.Wizard->GetChildren([&](TComponent* c) { handed += std::string(c->Name().c_str()) + " "; }, &f);
  EXPECT_EQ(handed, "Ordner Willkommen Schulen Extra ");
}

TEST(BsWizard, AWizardWrittenToAStreamReadsBackWithItsPagesInOrder) {
  StreamClasses registered;
  NamedPagesForm written({"Willkommen", "Schulen", "Ordner", "Datei", "Versand"});
  written.Wizard->MovePage(4, 1);
  written.Wizard->MovePage(0, 3);
  const std::string order = "Versand Schulen Ordner Willkommen Datei ";
  ASSERT_EQ(written.pageNames(), order);
  TMemoryStream stream;
  WriteComponentToStream(stream, written);

  // Into an empty form: the wizard and its pages are made, the pages
  // belong to the form and join the wizard in the order written.
  stream.SetPosition(0);
  TForm empty(nullptr);
  ReadComponentFromStream(stream, &empty);
  auto* wizard = dynamic_cast<TbsWizard*>(empty.FindComponent("bsWizard1"));
  ASSERT_NE(wizard, nullptr);
  EXPECT_EQ(wizard->Parent(), &empty);
  std::string names;
  for (int32_t i = 0; i < wizard->PageCount(); ++i) {
    TbsWizardPage* p = wizard->Pages(i);
    EXPECT_EQ(p->Owner(), &empty);
    EXPECT_EQ(p->Parent(), wizard);
    names += std::string(p->Name().c_str()) + " ";
  }
  EXPECT_EQ(names, order);
  EXPECT_EQ(wizard->ButtonPanel->Owner(), wizard);  // made by the wizard, not read

  // Into a form that has the pages in another order: each page read takes
  // its written place.
  stream.SetPosition(0);
  NamedPagesForm existing({"Datei", "Willkommen", "Versand", "Ordner", "Schulen"});
  ReadComponentFromStream(stream, &existing);
  EXPECT_EQ(existing.pageNames(), order);

  // The text form shows the pages inside the wizard.
  stream.SetPosition(0);
  TMemoryStream text;
  ObjectBinaryToText(stream, text);
  const std::string t(static_cast<const char*>(text.Memory()), static_cast<size_t>(text.Size()));
  EXPECT_NE(t.find("  object bsWizard1: TbsWizard\r\n    object Versand: TbsWizardPage\r\n    end\r\n"
                   "    object Schulen: TbsWizardPage"),
            std::string::npos)
      << t;
}
