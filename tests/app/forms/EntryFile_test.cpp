// The entry file written through the wait form: its exact bytes with the
// form's object model, the refusals (existing file, folder, a target that
// cannot be written) and the wait form around the writing.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "app/forms/EntrySelection.h"
#include "app/forms/TWaitOneMoment.h"
#include "classlib/Application.h"
#include "classlib/Screen.h"
#include "tests/app/core/EntryFileSample.h"
#include "tests/support/TestFiles.h"

namespace {

std::string readBytes(const std::string& path) { return kel::test::FileBytes(path); }

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

bool exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Answers the next message box from inside its modal loop: records its
// caption and text and presses `button`.
struct BoxAnswer {
  std::string caption, text;
  int button = IDOK;
  bool seen = false;
};
BoxAnswer* gAnswer = nullptr;

// The message box of this thread (other programs may show their own).
HWND threadMessageBox() {
  HWND box = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM l) -> BOOL {
        char cls[16] = {};
        GetClassNameA(h, cls, sizeof cls);
        if (std::string(cls) == "#32770" && IsWindowVisible(h)) *reinterpret_cast<HWND*>(l) = h;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&box));
  return box;
}

void CALLBACK answerBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = threadMessageBox();
  if (!box || !gAnswer) return;
  KillTimer(nullptr, id);
  char buf[256] = {};
  GetWindowTextA(box, buf, sizeof buf);
  gAnswer->caption = buf;
  GetDlgItemTextA(box, 0xFFFF, buf, sizeof buf);
  gAnswer->text = buf;
  gAnswer->seen = true;
  PostMessageA(box, WM_COMMAND, gAnswer->button, 0);
}

class EntryFile : public ::testing::Test {
 protected:
  void SetUp() override {
    TApplication::Instance();
    folder_ = dir_.path();
    target_ = dir_ / "Meldung.VOV";
    state_.settings.veranstDir = folder_;
    state_.settings.VID = "{6F2A-11}";
    state_.eventName = "\\Probe.";

    state_.eventDef = std::make_unique<EventDefinition>();
    kel::test::MakeSampleEvent(*state_.eventDef);

    ASSERT_EQ(CreateBlankDataFiles(state_), 1);
    state_.memory = std::make_unique<Memory>(state_);
    ASSERT_TRUE(state_.memory->isReady());
    std::memset(EntrySelection, 0, sizeof EntrySelection);
  }

  void TearDown() override {
    state_.memory.reset();
    for (const char* ext : {"SDA", "MDA", "STF"}) DeleteFileA(DataFilePath(state_, ext).c_str());
  }

  void fillStore() { kel::test::FillSampleStore(*state_.memory, EntrySelection); }

  kel::test::TempDir dir_;
  EventState state_;
  std::string folder_, target_;
};

using kel::test::kSampleEntryFile;

TEST_F(EntryFile, HoldsTheTickedTeamsInTheirOrder) {
  fillStore();
  TTWaitOneMoment wait(nullptr, state_);
  EXPECT_TRUE(wait.WriteEntryFile(target_));
  EXPECT_EQ(readBytes(target_), kSampleEntryFile);
}

TEST_F(EntryFile, AnExistingFileIsReplacedOnlyWhenTheUserAgrees) {
  fillStore();
  writeBytes(target_, "alt");
  TTWaitOneMoment wait(nullptr, state_);
  BoxAnswer answer;
  gAnswer = &answer;
  answer.button = IDNO;
  SetTimer(nullptr, 0, 30, answerBox);
  EXPECT_FALSE(wait.WriteEntryFile(target_));
  EXPECT_TRUE(answer.seen);
  EXPECT_EQ(answer.caption, "Fehler");
  EXPECT_EQ(answer.text, "Es ist bereits eine Melde-Datei vorhanden! Darf ich sie \xFC" "berschreiben?");
  EXPECT_EQ(readBytes(target_), "alt");

  answer = BoxAnswer{};
  answer.button = IDYES;
  SetTimer(nullptr, 0, 30, answerBox);
  EXPECT_TRUE(wait.WriteEntryFile(target_));
  EXPECT_TRUE(answer.seen);
  EXPECT_EQ(readBytes(target_), kSampleEntryFile);
  gAnswer = nullptr;
}

TEST_F(EntryFile, AFolderIsRefusedWithAMessage) {
  fillStore();
  CreateDirectoryA(target_.c_str(), nullptr);
  TTWaitOneMoment wait(nullptr, state_);
  BoxAnswer answer;
  gAnswer = &answer;
  SetTimer(nullptr, 0, 30, answerBox);
  EXPECT_FALSE(wait.WriteEntryFile(target_));
  gAnswer = nullptr;
  EXPECT_TRUE(answer.seen);
  EXPECT_EQ(answer.caption, "Fehler");
  EXPECT_EQ(answer.text, "Die Meldedatei kann nicht als Ordner angelegt werden!");
}

TEST_F(EntryFile, ATargetThatCannotBeWrittenGivesFalseAndNoPartialFile) {
  fillStore();
  bool boxShown = false;
  Application->OnException = [&](const std::exception&) { boxShown = true; };
  TTWaitOneMoment wait(nullptr, state_);
  // A folder that does not exist.
  std::string missing = folder_ + "\\fehlt\\Meldung.VOV";
  EXPECT_FALSE(wait.WriteEntryFile(missing));
  EXPECT_FALSE(exists(missing));
  // A file another program holds open without sharing: the old content
  // stays and no temporary file is left beside it.
  writeBytes(target_, "alt");
  HANDLE held = CreateFileA(target_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(wait.WriteEntryFile(target_, false));
  CloseHandle(held);
  EXPECT_EQ(readBytes(target_), "alt");
  WIN32_FIND_DATAA fd;
  int files = 0;
  HANDLE h = FindFirstFileA((folder_ + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string n = fd.cFileName;
      if (n != "." && n != ".." && n.rfind("Probe.", 0) != 0) ++files;
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  EXPECT_EQ(files, 1);
  EXPECT_FALSE(boxShown);
  Application->OnException = nullptr;
}

// What the writing looked like from the wait form's window: whether the old
// file was still there when it was shown, and whether the new one was
// complete and the cursor back when it was destroyed.
struct WaitFormTrace {
  std::string target;
  int shown = 0, destroyed = 0;
  bool oldFileWhenShown = false, newFileWhenDestroyed = false, cursorBackWhenDestroyed = false;
};
WaitFormTrace* gTrace = nullptr;

LRESULT CALLBACK traceWaitForm(int code, WPARAM w, LPARAM l) {
  const CWPSTRUCT* m = reinterpret_cast<const CWPSTRUCT*>(l);
  if (code == HC_ACTION && gTrace &&
      ((m->message == WM_SHOWWINDOW && m->wParam) || m->message == WM_DESTROY)) {
    char caption[64] = {};
    GetWindowTextA(m->hwnd, caption, sizeof caption);
    if (std::string(caption) == "Bitte einen Augenblick Gelduld....") {
      if (m->message == WM_SHOWWINDOW) {
        ++gTrace->shown;
        gTrace->oldFileWhenShown = readBytes(gTrace->target) == "alt";
      } else {
        ++gTrace->destroyed;
        gTrace->newFileWhenDestroyed = readBytes(gTrace->target) == kSampleEntryFile;
        gTrace->cursorBackWhenDestroyed = Screen->Cursor() == crDefault;
      }
    }
  }
  return CallNextHookEx(nullptr, code, w, l);
}

TEST_F(EntryFile, TheWaitFormShowsWhileTheFileIsWritten) {
  fillStore();
  writeBytes(target_, "alt");
  WaitFormTrace trace;
  trace.target = target_;
  gTrace = &trace;
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, traceWaitForm, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  const bool written = WriteEntryFileWithPrompt(state_, target_, true);  // replaces without a question
  UnhookWindowsHookEx(hook);
  gTrace = nullptr;
  EXPECT_TRUE(written);
  EXPECT_EQ(readBytes(target_), kSampleEntryFile);
  EXPECT_EQ(trace.shown, 1);
  EXPECT_TRUE(trace.oldFileWhenShown);
  EXPECT_EQ(trace.destroyed, 1);
  EXPECT_TRUE(trace.newFileWhenDestroyed);
  EXPECT_TRUE(trace.cursorBackWhenDestroyed);
  EXPECT_EQ(FindWindowA(nullptr, "Bitte einen Augenblick Gelduld...."), nullptr);
}

// Answers the message boxes that appear one after another with the given
// buttons, recording "caption: text" of each.
struct BoxSequence {
  std::vector<int> buttons;
  std::vector<std::string> seen;
};
BoxSequence* gSequence = nullptr;

void CALLBACK answerSequence(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = threadMessageBox();
  if (!box || !gSequence || gSequence->seen.size() >= gSequence->buttons.size()) return;
  char caption[64] = {}, text[256] = {};
  GetWindowTextA(box, caption, sizeof caption);
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  const int button = gSequence->buttons[gSequence->seen.size()];
  gSequence->seen.push_back(std::string(caption) + ": " + text);
  // Pressed once: the box is gone before the next tick looks again.
  EndDialog(box, button);
}

TEST_F(EntryFile, WithoutReplacingAnExistingFileIsOverwrittenOnlyAfterTwoYes) {
  const std::string ask1 = "Fehler: Es ist bereits eine Meldedatei vorhanden! Darf ich sie \xFC" "berschreiben?";
  const std::string ask2 = "R\xFC" "ckfrage: Sind Sie sicher, da\xDF ich die Meldedatei \xFC" "berschreiben darf?";
  const std::string refusal =
      "Fehler: Die Meldediskette konnte nicht erzeugt werden! \nBitte verwenden Sie eine andere Diskette!";
  const struct {
    bool existing;
    std::vector<int> answers;
    std::vector<std::string> boxes;
    bool written;
  } cases[] = {
      {true, {IDNO, IDOK}, {ask1, refusal}, false},
      {true, {IDYES, IDNO, IDOK}, {ask1, ask2, refusal}, false},
      {true, {IDYES, IDYES}, {ask1, ask2}, true},
      {false, {}, {}, true},
  };
  fillStore();
  for (const auto& c : cases) {
    DeleteFileA(target_.c_str());
    if (c.existing) writeBytes(target_, "alt");
    BoxSequence sequence{c.answers, {}};
    gSequence = &sequence;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, answerSequence);
    const bool written = WriteEntryFileWithPrompt(state_, target_, false);
    KillTimer(nullptr, timer);
    gSequence = nullptr;
    EXPECT_EQ(written, c.written);
    EXPECT_EQ(sequence.seen, c.boxes);
    EXPECT_EQ(readBytes(target_), c.written ? kSampleEntryFile : std::string("alt"));
  }
}

}  // namespace
