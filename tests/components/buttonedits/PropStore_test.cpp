// The property store on a real form: the key it keeps its values under,
// the round trip through the registry and the form's closing, and the
// message box for a stored value that cannot be read.
#include <gtest/gtest.h>

#include <windows.h>

#include "classlib/Filer.h"
#include "classlib/Form.h"
#include "classlib/TypInfo.h"
#include "components/buttonedits/PropStore.h"
#include "components/buttonedits/runtime/RegistryPersistence.h"
#include "tests/support/FormTest.h"

using namespace kel::test;

namespace {

// A component with a text and a number.
class TNotiz : public TComponent {
 public:
  explicit TNotiz(TComponent* owner) : TComponent(owner) {}
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  const AnsiString& Caption() const { return FCaption; }
  void SetCaption(const AnsiString& v) { FCaption = v; }
  int32_t Count() const { return FCount; }
  void SetCount(int32_t v) { FCount = v; }

 private:
  AnsiString FCaption;
  int32_t FCount = 0;
};

const TPropInfo kNotizProps[] = {
    StrProp<&TNotiz::Caption, &TNotiz::SetCaption>("Caption"),
    OrdProp<&TNotiz::Count, &TNotiz::SetCount>("Count", TypeInfoInteger(), 0),
};
const TClassInfo TNotiz::Info = PublishClass<TNotiz>("TNotiz", "Test", TComponent::Info, kNotizProps);

struct NotizForm : TForm {
  NotizForm() : TForm(nullptr) {
    SetName("Fenster");
    SetBounds(60, 70, 320, 200);
    Notiz = new TNotiz(this);
    Notiz->SetName("Notiz");
    Store = new TDCPropStore(this);
    Store->SetName("Speicher");
    Store->PropList()->SetText("Notiz.Caption\nNotiz.Count");
  }
  TNotiz* Notiz;
  TDCPropStore* Store;
};

class PropStore : public ::testing::Test {
 protected:
  void SetUp() override {
    savedKey_ = RegistryKey;
    RegistryKey = "Software\\Kelvora Tests\\PropStore";
  }
  void TearDown() override {
    DCDeleteRegKey("Software", "Kelvora Tests");
    RegistryKey = savedKey_;
  }
  AnsiString savedKey_;
};

// Stored values for the form whose Count is a text: reading it fails.
void StoreUnreadableCount(const AnsiString& key) {
  TMemoryStream block;
  TWriter b(block);
  b.WriteStr("Count");
  b.WriteString("sieben");
  b.WriteStr("Caption");
  b.WriteString("gelesen");
  b.WriteListEnd();
  TMemoryStream s;
  TWriter w(s);
  w.WriteBoolean(true);
  w.WriteString("Notiz");
  w.WriteString("Caption\r\nCount\r\n");
  const auto n = static_cast<uint32_t>(block.Size());
  s.WriteBuffer(&n, 4);
  block.SetPosition(0);
  s.CopyFrom(block, n);
  w.WriteBoolean(false);
  ASSERT_TRUE(WriteBufToRegistry(key, s.Memory(), static_cast<int32_t>(s.Size())));
}

// Loads the form's store and answers the read-error box, once it is up,
// with the button.
void LoadAnsweringErrorBox(NotizForm& form, int button, bool& seen) {
  runForm([&] { form.Store->Load(); },
          {[button, &seen] {
            HWND box = FindWindowA("#32770", "Fehler beim Lesen der Eigenschaften");
            seen = box != nullptr;
            if (box) PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
          }});
}

}  // namespace

TEST_F(PropStore, ValuesAndPositionGoUnderTheOwnersAndTheStoresNameAndComeBack) {
  NotizForm form;
  EXPECT_EQ(form.Store->Key(), "FensterSpeicher");
  form.Show();
  pump();
  form.Notiz->SetCaption("gespeichert");
  form.Notiz->SetCount(12);
  form.Store->Save();
  EXPECT_GT(GetRegBufSize("FensterSpeicher"), 0);
  EXPECT_TRUE(RegValueExists("Forms\\FensterSpeicher\\WinPos"));

  form.Notiz->SetCaption("anders");
  form.Notiz->SetCount(0);
  form.SetBounds(0, 0, 100, 100);
  form.Store->Load();
  EXPECT_EQ(form.Notiz->Caption(), "gespeichert");
  EXPECT_EQ(form.Notiz->Count(), 12);
  EXPECT_EQ(form.Left(), 60);
  EXPECT_EQ(form.Width(), 320);

  bool skip = true;
  form.Store->OnLoadChanges = [&](TObject*, bool& s) { s = skip; };
  form.Notiz->SetCaption("bleibt");
  form.Store->Load();
  EXPECT_EQ(form.Notiz->Caption(), "bleibt");

  form.Store->SetKey("Eigener");
  EXPECT_EQ(form.Store->Key(), "Eigener");
}

TEST_F(PropStore, TheFormsClosingSavesAfterItsOwnHandlerAgrees) {
  std::vector<bool> answers = {false, true};
  int asked = 0;
  {
    NotizForm form;
    form.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = answers[static_cast<size_t>(asked++)]; };
    form.Store->Loaded();
    form.Show();
    pump();
    form.Notiz->SetCaption("beim Schließen");
    form.Close();
    pump();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(GetRegBufSize("FensterSpeicher"), -1) << "closing refused: nothing saved";
    form.Close();
    pump();
    EXPECT_EQ(asked, 2);
  }
  NotizForm next;
  next.Store->Loaded();
  EXPECT_EQ(next.Notiz->Caption(), "beim Schließen");
}

TEST_F(PropStore, DamagedStoredDataTakesTheSameWayAsAnUnreadableValue) {
  const char damaged[] = "\x09\x06\x05Notiz\x06\x07";  // a group cut short
  ASSERT_TRUE(WriteBufToRegistry("FensterSpeicher", damaged, sizeof damaged - 1));
  {
    NotizForm form;
    form.Notiz->SetCaption("vorher");
    EXPECT_NO_THROW(form.Store->Load());
    EXPECT_EQ(form.Notiz->Caption(), "vorher");
  }
  for (const int button : {IDOK, IDCANCEL}) {
    NotizForm form;
    form.Store->SetIgnoreErrors(false);
    bool seen = false;
    if (button == IDOK)
      EXPECT_NO_THROW(LoadAnsweringErrorBox(form, button, seen));
    else
      EXPECT_THROW(LoadAnsweringErrorBox(form, button, seen), EReadError);
    EXPECT_TRUE(seen) << button;
  }
}

TEST_F(PropStore, AnUnreadableValueIsOfferedAndCancelStopsTheLoading) {
  StoreUnreadableCount("FensterSpeicher");
  {
    NotizForm form;
    form.Store->Load();  // IgnoreErrors: passed over silently
    EXPECT_EQ(form.Notiz->Caption(), "gelesen");
    EXPECT_EQ(form.Notiz->Count(), 0);
  }
  {
    NotizForm form;
    form.Store->SetIgnoreErrors(false);
    bool seen = false;
    LoadAnsweringErrorBox(form, IDOK, seen);
    EXPECT_TRUE(seen);
    EXPECT_EQ(form.Notiz->Caption(), "gelesen") << "OK goes on past the fault";
  }
  {
    NotizForm form;
    form.Store->SetIgnoreErrors(false);
    bool seen = false;
    EXPECT_THROW(LoadAnsweringErrorBox(form, IDCANCEL, seen), EReadError);
    EXPECT_TRUE(seen);
    EXPECT_EQ(form.Notiz->Caption(), "");
    // The class is untouched: everything still reads into a fresh note.
    TMemoryStream s;
    TNotiz full(nullptr);
    full.SetCaption("c");
    full.SetCount(3);
    WriteComponentToStream(s, full);
    s.SetPosition(0);
    ReadComponentFromStream(s, form.Notiz);
    EXPECT_EQ(form.Notiz->Caption(), "c");
    EXPECT_EQ(form.Notiz->Count(), 3);
  }
}
