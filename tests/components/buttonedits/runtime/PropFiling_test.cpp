// Text properties as streams and files, the component filer and the
// stream of selected properties.
#include <gtest/gtest.h>

#include <cinttypes>
#include <memory>

#include "classlib/Component.h"
#include "classlib/Filer.h"
#include "classlib/Format.h"
#include "classlib/ObjectText.h"
#include "classlib/StringList.h"
#include "classlib/TypInfo.h"
#include "components/buttonedits/runtime/CompFiler.h"
#include "components/buttonedits/runtime/Naming.h"
#include "components/buttonedits/runtime/ObjectStreams.h"
#include "components/buttonedits/runtime/PropFileSystem.h"
#include "components/buttonedits/runtime/PropLines.h"
#include "components/buttonedits/runtime/PropStream.h"
#include "tests/support/TestFiles.h"

namespace {

const TClassTypeInfo kStringsType(TStrings::Info);
const TClassTypeInfo kPersistentType(TPersistent::Info);

// A component with a text, a number, a string list, a sub-object that is
// no string list, and a Text like a control's.
class TNote : public TComponent {
 public:
  explicit TNote(TComponent* owner) : TComponent(owner) {}
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  const AnsiString& Caption() const { return FCaption; }
  void SetCaption(const AnsiString& v) { FCaption = v; }
  int32_t Count() const { return FCount; }
  void SetCount(int32_t v) { FCount = v; }
  TStrings* Lines() const { return &FLines; }
  TPersistent* Other() const { return &FOther; }
  const AnsiString& Text() const { return FText; }
  void SetText(const AnsiString& v) { FText = v; }

 private:
  AnsiString FCaption, FText;
  int32_t FCount = 0;
  mutable TStringList FLines;
  mutable TPersistent FOther;
};

const TPropInfo kNoteProps[] = {
    StrProp<&TNote::Caption, &TNote::SetCaption>("Caption"),
    OrdProp<&TNote::Count, &TNote::SetCount>("Count", TypeInfoInteger(), 0),
    ObjProp<&TNote::Lines>("Lines", kStringsType),
    ObjProp<&TNote::Other>("Other", kPersistentType),
    StrProp<&TNote::Text, &TNote::SetText>("Text"),
};
const TClassInfo TNote::Info = PublishClass<TNote>("TNote", "NoteUnit", TComponent::Info, kNoteProps);

const bool kNoteRegistered = RegisterStreamClass(TNote::Info);

// A note whose caption cannot be read, so that writing it fails midway.
class TFaultyNote : public TNote {
 public:
  using TNote::TNote;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  AnsiString Broken() const { throw EConvertError("kaputt"); }
  void SetBroken(const AnsiString&) {}
};
const TPropInfo kFaultyNoteProps[] = {StrProp<&TFaultyNote::Broken, &TFaultyNote::SetBroken>("Broken")};
const TClassInfo TFaultyNote::Info = PublishClass<TFaultyNote>("TFaultyNote", "NoteUnit", TNote::Info, kFaultyNoteProps);

// A note form whose class publishes one handler.
class TNoteForm : public TNote {
 public:
  using TNote::TNote;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  void NoteChanged(TObject*) { ++Changes; }
  TNotifyEvent OnChange;
  TNotifyEvent OnExit;
  int Changes = 0;
};
const TEventInfo kNoteFormEvents[] = {EventProp<&TNoteForm::OnChange>("OnChange", TypeInfoNotifyEvent()),
                                      EventProp<&TNoteForm::OnExit>("OnExit", TypeInfoNotifyEvent())};
const TMethodEntry kNoteFormMethods[] = {PublishedMethod<&TNoteForm::NoteChanged>("NoteChanged")};
const TClassInfo TNoteForm::Info =
    PublishClass<TNoteForm>("TNoteForm", "NoteUnit", TNote::Info, {}, kNoteFormEvents, kNoteFormMethods);

AnsiString Contents(TStream& s) {
  const int64_t keep = s.Position();
  s.SetPosition(0);
  AnsiString text(static_cast<size_t>(s.Size()), '\0');
  if (!text.empty()) s.ReadBuffer(text.data(), static_cast<int32_t>(text.size()));
  s.SetPosition(keep);
  return text;
}

void Put(TStream& s, const AnsiString& text) { s.WriteBuffer(text.data(), static_cast<int32_t>(text.size())); }

}  // namespace

TEST(PropStream, ReadsTheTextAndWritesItBackOnlyWhenOpenedForWriting) {
  TNote note(nullptr);
  note.SetCaption("alt");
  note.Lines()->SetText("eins\nzwei");
  {
    TPropStream s(&note, "lines", fmOpenRead);
    EXPECT_EQ(Contents(s), "eins\r\nzwei\r\n");
    EXPECT_EQ(s.Position(), 0);
    Put(s, "X");
  }
  EXPECT_EQ(note.Lines()->Count(), 2) << "a stream for reading writes nothing back";
  {
    TPropStream s(&note, "Lines", fmOpenWrite);
    EXPECT_EQ(s.Size(), 0) << "a stream for writing starts empty";
    Put(s, "drei\r\nvier\r\nfünf");
  }
  EXPECT_EQ(note.Lines()->Text(), "drei\r\nvier\r\nfünf\r\n");
  {
    TPropStream s(&note, "Caption", fmOpenReadWrite);
    s.Seek(0, soEnd);
    Put(s, "er");
  }
  EXPECT_EQ(note.Caption(), "alter");
  {
    // fmCreate has no access bits of its own; it still writes.
    TPropStream s(&note, "Caption", fmCreate);
    EXPECT_EQ(s.Size(), 0);
    Put(s, "neu");
  }
  EXPECT_EQ(note.Caption(), "neu");
}

TEST(PropStream, APropertyWithoutTextRaisesTheStreamError) {
  TNote note(nullptr);
  const struct {
    TObject* instance;
    const char* name;
  } cases[] = {{&note, "Count"}, {&note, "Other"}, {&note, "Missing"}, {&note, ""}, {nullptr, "Caption"}};
  for (const auto& c : cases) {
    try {
      TPropStream s(c.instance, c.name, fmOpenRead);
      ADD_FAILURE() << c.name << " opened";
    } catch (const EStreamError& e) {
      EXPECT_EQ(e.Message(), "Fehler in Eigenschaften stream") << c.name;
    }
  }
  EXPECT_EQ(note.Count(), 0);
}

TEST(PropFileSystem, FilesAreTheComponentsTextProperties) {
  TPropFileSystem fs(nullptr);
  try {
    fs.GetFileStream("Caption", fmOpenRead);
    ADD_FAILURE() << "no component, yet a stream";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Component doesn't exist");
  }
  EXPECT_FALSE(fs.FileExists("Caption"));
  EXPECT_EQ(fs.GetFileSystemLevel(), 1);

  auto* note = new TNote(nullptr);
  fs.SetComponent(note);
  EXPECT_TRUE(fs.FileExists("caption"));
  EXPECT_TRUE(fs.FileExists("Lines"));
  EXPECT_FALSE(fs.FileExists("Count"));
  EXPECT_FALSE(fs.FileExists("Other"));
  fs.GetFileStream("Caption", fmCreate)->WriteBuffer("abc", 3);
  EXPECT_EQ(note->Caption(), "abc");
  EXPECT_EQ(fs.ComponentPtr().size(), 1 + sizeof(void*) * 2);

  // A descriptor names the same component; the cached copy lets it go,
  // and leaves the cache, when the component is freed.
  const int32_t cached = CachedFileSystemCount();
  auto* copy = dynamic_cast<TPropFileSystem*>(GetFileSystem(GetFilerID(fs)));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Component(), note);
  EXPECT_EQ(CachedFileSystemCount(), cached + 1);
  delete note;
  EXPECT_EQ(fs.Component(), nullptr);
  EXPECT_EQ(CachedFileSystemCount(), cached);
}

TEST(PropFileSystem, AnAddressIsTakenOnlyForAComponentHandedOver) {
  TNote note(nullptr);
  TPropFileSystem fs(nullptr);
  TPropFileSystem other(nullptr);
  other.SetComponentPtr(Format("$%0*" PRIXPTR, static_cast<int>(sizeof(void*) * 2), reinterpret_cast<uintptr_t>(&note)));
  EXPECT_EQ(other.Component(), nullptr) << "never handed over";
  fs.SetComponent(&note);
  EXPECT_EQ(fs.ComponentPtr(), Format("$%0*" PRIXPTR, static_cast<int>(sizeof(void*) * 2), reinterpret_cast<uintptr_t>(&note)));
  for (const char* bad : {"", "$", "1234", "$12G4", "$00000000000000000000001"}) {
    other.SetComponentPtr(bad);
    EXPECT_EQ(other.Component(), nullptr) << bad;
  }
  other.SetComponentPtr(fs.ComponentPtr());
  EXPECT_EQ(other.Component(), &note);
  fs.SetComponent(nullptr);
  EXPECT_EQ(fs.ComponentPtr(), "$0");
}

TEST(CompFiler, EventNamesAreNumberedOnceAndCopied) {
  TCompFiler filer;
  EXPECT_EQ(filer.AddEvent("OnClick"), 1);
  EXPECT_EQ(filer.AddEvent("OnExit"), 2);
  EXPECT_EQ(filer.AddEvent("onclick"), 1);
  EXPECT_EQ(filer.NextEvent(), 3);
  TCompFiler copy;
  copy.AddEvent("Other");
  copy.Assign(filer);
  EXPECT_EQ(copy.NextEvent(), 3);
  EXPECT_EQ(copy.AddEvent("OnExit"), 2);
  EXPECT_EQ(copy.EventNames().IndexOf("Other"), -1);
  copy.SetReplacementClassName(AnsiString(300, 'T'));
  EXPECT_EQ(copy.ReplacementClassName().size(), 255u);
}

TEST(CompFiler, HandlersAreKeptByNameAndNumberedWhenTheClassHasNoneOfThatName) {
  TMemoryStream text;
  Put(text, "object F: TNoteForm\r\n  OnChange = NoteChanged\r\n  OnExit = ScriptExit\r\nend\r\n");
  TCompFiler filer;
  TNoteForm form(nullptr);
  text.SetPosition(0);
  filer.LoadFromStream(text, form);
  EXPECT_FALSE(filer.Error);
  ASSERT_TRUE(form.OnChange && form.OnExit);
  form.OnChange(&form);
  form.OnExit(&form);  // known by name only: nothing runs
  EXPECT_EQ(form.Changes, 1);
  EXPECT_EQ(filer.AddEvent("ScriptExit"), 1);
  EXPECT_EQ(filer.EventNames().IndexOf("NoteChanged"), -1);

  // Saved again by their names; a name the filer numbered stays a named
  // handler even where the class publishes a method of that name.
  TMemoryStream saved;
  filer.SaveToStream(saved, form);
  saved.SetPosition(0);
  TMemoryStream again;
  ObjectBinaryToText(saved, again);
  EXPECT_NE(Contents(again).find("OnChange = NoteChanged\r\n  OnExit = ScriptExit\r\n"), AnsiString::npos)
      << Contents(again);
  filer.AddEvent("NoteChanged");
  TNoteForm other(nullptr);
  saved.SetPosition(0);
  filer.LoadFromStream(saved, other);
  other.OnChange(&other);
  EXPECT_EQ(other.Changes, 0);
  EXPECT_STREQ(GetMethodProp(other, *GetEventInfo(other, "OnChange")).Code->Name, "NoteChanged");
}

TEST(CompFiler, SavesAndLoadsBinaryAndTextStreamsAndFiles) {
  TNote note(nullptr);
  note.SetName("Zettel");
  note.SetCaption("Titel");
  note.Lines()->Add("Zeile");
  auto* child = new TNote(&note);
  child->SetName("Kind");
  child->SetCount(7);

  TCompFiler filer;
  filer.SetReplacementClassName("TZettelForm");
  TMemoryStream binary;
  filer.SaveToStream(binary, note);
  EXPECT_EQ(Contents(binary).substr(0, 23), AnsiString("TPF0\x0BTZettelForm\x06Zettel", 23));
  EXPECT_EQ(note.Name(), "Zettel");
  EXPECT_STREQ(note.ClassName(), "TNote");

  TNote back(nullptr);
  binary.SetPosition(0);
  EXPECT_FALSE(IsTextStream(binary));
  filer.LoadFromStream(binary, back);
  EXPECT_EQ(back.Caption(), "Titel");
  ASSERT_NE(back.FindComponent("Kind"), nullptr);
  EXPECT_EQ(static_cast<TNote*>(back.FindComponent("Kind"))->Count(), 7);

  TMemoryStream text;
  Put(text, "object Zettel: TZettelForm\r\n  Caption = 'aus Text'\r\nend\r\n");
  text.SetPosition(0);
  EXPECT_TRUE(IsTextStream(text));
  filer.LoadFromStream(text, back);
  EXPECT_EQ(back.Caption(), "aus Text");

  kel::test::TempDir dir;
  const AnsiString file = dir.path() + "/zettel.dfm";
  filer.SaveToFile(file, note);
  int loaded = 0;
  filer.OnCompLoaded = [&](TCompFiler&, TComponent* c) { loaded += c != nullptr; };
  std::unique_ptr<TComponent> made(filer.CreateFromFile(file, TNote::Info));
  EXPECT_EQ(loaded, 1);
  ASSERT_NE(dynamic_cast<TNote*>(made.get()), nullptr);
  EXPECT_EQ(static_cast<TNote*>(made.get())->Lines()->Text(), "Zeile\r\n");
  EXPECT_THROW(filer.LoadFromFile(dir.path() + "/missing.dfm", back), EFOpenError);

  // A save that fails on the way keeps the file from before.
  const AnsiString before = Contents(*std::make_unique<TFileStream>(file, fmOpenRead));
  TFaultyNote faulty(nullptr);
  EXPECT_THROW(filer.SaveToFile(file, faulty), EConvertError);
  EXPECT_EQ(Contents(*std::make_unique<TFileStream>(file, fmOpenRead)), before);
  EXPECT_THROW(filer.SaveToFile(dir.path() + "/no/such/folder/x.dfm", note), EFCreateError);
}

TEST(CompFiler, FaultsGoToTheHandlerOrAreIgnoredOrRaised) {
  TMemoryStream text;
  Put(text, "object N: TNote\r\n  Unknown = 1\r\n  Caption = 'danach'\r\nend\r\n");
  const auto load = [&](TCompFiler& filer, TNote& into) {
    text.SetPosition(0);
    filer.LoadFromStream(text, into);
  };

  TCompFiler raising;
  TNote a(nullptr);
  EXPECT_THROW(load(raising, a), EReadError);
  EXPECT_TRUE(raising.Error);

  TCompFiler ignoring;
  ignoring.IgnoreErrors = true;
  TNote b(nullptr);
  load(ignoring, b);
  EXPECT_TRUE(ignoring.Error);
  EXPECT_EQ(b.Caption(), "danach");

  TCompFiler handled;
  AnsiString seen;
  handled.OnError = [&](TCompFiler&, const AnsiString& message, bool& h) {
    seen = message;
    h = true;
  };
  TNote c(nullptr);
  load(handled, c);
  EXPECT_NE(seen.find("Unknown"), AnsiString::npos);
  EXPECT_FALSE(handled.Error) << "the handler decided";

  int offered = 0;
  CompFilerErrorHook = [&](const AnsiString&, bool& h) {
    ++offered;
    h = true;
  };
  TCompFiler hooked;
  TNote d(nullptr);
  load(hooked, d);
  CompFilerErrorHook = nullptr;
  EXPECT_EQ(offered, 1);
  EXPECT_EQ(d.Caption(), "danach");

  // A load that fails frees what it made.
  text.SetPosition(0);
  EXPECT_THROW(std::unique_ptr<TComponent>(raising.CreateFromStream(text, TNote::Info)), EReadError);
  EXPECT_THROW(raising.CreateFromStream(text, TPersistent::Info), EClassNotFound);
}

namespace {

// An owner with two notes; the property list picks some of their values.
struct Notes {
  Notes() {
    owner.SetName("Fenster");
    first->SetName("Erste");
    second->SetName("Zweite");
  }
  TNote owner{nullptr};
  TNote* first = new TNote(&owner);
  TNote* second = new TNote(&owner);
};

void Fill(Notes& n, const AnsiString& tag) {
  n.owner.SetCaption("owner " + tag);
  n.first->SetCaption("first " + tag);
  n.first->SetCount(static_cast<int32_t>(tag.size()));
  n.first->Lines()->SetText(tag + "\n" + tag);
  n.second->SetCaption("second " + tag);
  n.second->SetText("text " + tag);
}

TStringList List(const char* text) {
  TStringList l;
  l.SetText(text);
  return l;
}

}  // namespace

TEST(PropLines, SelectedPropertiesTravelByGroupAndOnlyTheListedOnesAreRead) {
  EXPECT_EQ(GroupPropLines(List("Caption\nErste.Caption\nerste.Lines\nZweite.Text\nErste.Count")).size(), 4u);

  Notes saved;
  Fill(saved, "alt");
  TMemoryStream s;
  const TStringList list = List("Caption\nErste.Caption\nErste.Lines\nNirgends.Caption\nZweite.Text");
  WritePropLines(s, saved.owner, list);
  EXPECT_NE(Contents(s).find(AnsiString("\x09\x06\x01" "0", 4)), AnsiString::npos) << "the missing object's group";

  Notes read;
  Fill(read, "neuer");
  s.SetPosition(0);
  // Lines is no longer listed, Count is listed but was never stored.
  ReadPropLines(s, read.owner, List("Caption\nErste.Caption\nErste.Count\nNirgends.Caption\nZweite.Text"), nullptr);
  EXPECT_EQ(read.owner.Caption(), "owner alt");
  EXPECT_EQ(read.first->Caption(), "first alt");
  EXPECT_EQ(read.first->Count(), 5);
  EXPECT_EQ(read.first->Lines()->Text(), "neuer\r\nneuer\r\n");
  EXPECT_EQ(read.second->Text(), "text alt");
  EXPECT_EQ(read.second->Caption(), "second neuer");
  EXPECT_EQ(s.Position(), s.Size());

  // A Text that comes back as the component's own name keeps the old one.
  saved.second->SetText("Zweite\r\n");
  TMemoryStream t;
  WritePropLines(t, saved.owner, List("Zweite.Text"));
  t.SetPosition(0);
  ReadPropLines(t, read.owner, List("Zweite.Text"), nullptr);
  EXPECT_EQ(read.second->Text(), "text alt");
}

TEST(PropLines, ObjectsAreFoundGloballyUnderTheOwnersNameOrThePath) {
  TNote other(nullptr);
  other.SetName("Anderes");
  auto* inner = new TNote(&other);
  inner->SetName("Innen");
  SetFindGlobalCompProc([&](const AnsiString& name) -> TComponent* {
    return AnsiCompareText(name, "Anderes") == 0 ? &other : nullptr;
  });
  Notes n;
  EXPECT_EQ(FindPropLineObject(n.owner, ""), &n.owner);
  EXPECT_EQ(FindPropLineObject(n.owner, "erste"), n.first);
  EXPECT_EQ(FindPropLineObject(n.owner, "Anderes.Innen"), inner);
  EXPECT_EQ(FindPropLineObject(n.owner, "Anderes"), &other);
  EXPECT_EQ(FindPropLineObject(n.owner, "Keins.Innen"), nullptr);
  RemoveFindGlobalCompProc();
  EXPECT_EQ(FindPropLineObject(n.owner, "Anderes"), nullptr);
}

TEST(PropLines, AReadFaultIsOfferedAndAnUnhandledOneEndsTheReadingWithTheClassIntact) {
  // "Count" is stored as a text: reading it into the integer fails.
  TMemoryStream s;
  {
    TWriter w(s);
    w.WriteBoolean(true);
    w.WriteString("Erste");
    w.WriteString("Count\r\nCaption\r\n");
    TMemoryStream block;
    TWriter b(block);
    b.WriteStr("Count");
    b.WriteString("sieben");
    b.WriteStr("Caption");
    b.WriteString("gelesen");
    b.WriteListEnd();
    const auto n = static_cast<uint32_t>(block.Size());
    s.WriteBuffer(&n, 4);
    block.SetPosition(0);
    s.CopyFrom(block, n);
    w.WriteBoolean(false);
  }
  const TStringList list = List("Erste.Count\nErste.Caption");

  Notes passed;
  int offered = 0;
  s.SetPosition(0);
  ReadPropLines(s, passed.owner, list, [&](const AnsiString&, bool& handled) {
    ++offered;
    handled = true;
  });
  EXPECT_EQ(offered, 1);
  EXPECT_EQ(passed.first->Caption(), "gelesen") << "reading went on past the fault";

  Notes stopped;
  s.SetPosition(0);
  EXPECT_THROW(ReadPropLines(s, stopped.owner, list, [](const AnsiString&, bool&) {}), EReadError);
  EXPECT_EQ(stopped.first->Caption(), "");

  // Properties left out of one reading are still read by every other
  // reader of the class.
  TNote full(nullptr);
  full.SetCaption("c");
  full.SetText("t");
  full.SetCount(4);
  TMemoryStream whole;
  WriteObjToStream(whole, full);
  whole.SetPosition(0);
  TNote again(nullptr);
  ReadObjFromStream(whole, again);
  EXPECT_EQ(again.Caption(), "c");
  EXPECT_EQ(again.Text(), "t");
  EXPECT_EQ(again.Count(), 4);
}
