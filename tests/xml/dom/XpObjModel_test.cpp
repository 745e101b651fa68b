// The object-model component: documents, saving in each encoding, the
// entry file's exact bytes, and files that are never left half-written.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "classlib/AnsiString.h"
#include "classlib/Stream.h"
#include "xml/dom/XpCharacterData.h"
#include "xml/dom/XpDOMException.h"
#include "xml/dom/XpDomImplementation.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpElementFactory.h"
#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpObjModel.h"
#include "tests/support/TestFiles.h"
#include "xml/dom/XpProcessingInstruction.h"

namespace fs = std::filesystem;

namespace {

using kel::test::FileBytes;

std::string StreamBytes(TMemoryStream& s) {
  return std::string(static_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
}

class ObjModel : public ::testing::Test {
protected:
  // The entry file's shape: <?xml version="1.0"?> and <r a="x"><c/><d>t</d></r>.
  void BuildSmall() {
    TXpDocument* doc = model.Document();
    TXpProcessingInstruction* pi = doc->CreateProcessingInstruction(u"xml", u"version=\"1.0\"");
    doc->AppendChild(pi);
    pi->Release();
    TXpElement* r = doc->CreateElement(u"r");
    doc->AppendChild(r);
    r->Release();
    r->SetAttribute(u"a", u"x");
    r->CreateChildElement(u"c");
    r->CreateChildElement(u"d")->CreateChildText(u"t");
  }

  std::vector<std::string> FilesIn() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    return names;
  }

  kel::test::TempDir temp;
  fs::path dir{temp.path()};
  TXpObjModel model{nullptr};
};

TEST_F(ObjModel, NewModelHasDefaultsAndAnEmptyDocument) {
  EXPECT_FALSE(model.RaiseErrors());
  EXPECT_TRUE(model.NormalizeData());
  EXPECT_TRUE(model.WriteUTF8Signature());
  EXPECT_FALSE(model.FormattedOutput());
  EXPECT_EQ(model.OutCharSet(), ceUnknown);
  EXPECT_EQ(model.IdAttribute(), u"id");
  EXPECT_EQ(model.DocumentElement(), nullptr);
  EXPECT_FALSE(model.Document()->HasChildNodes());
  EXPECT_EQ(model.GetErrorMsg(-1), "ERROR INDEX OUT OF BOUNDS");
}

TEST_F(ObjModel, DocumentFactoryChecksNamesAndFindsTheDocumentElement) {
  TXpDocument* doc = model.Document();
  for (const char16_t* bad : {u"", u"1a", u"a b", u"\u203Fa", u"a\U000F0000"}) {
    try {
      doc->CreateElement(bad)->Release();
      ADD_FAILURE() << WideToUtf8(bad);
    } catch (const TXpDOMException& e) {
      EXPECT_EQ(e.Code(), ecInvalidNameErr);
    }
  }
  // Names of XML 1.0 fifth edition, above U+FFFF too.
  for (const char16_t* good : {u"\u0132", u"a\u203F", u"\U00010400x"}) {
    TXpElement* e = doc->CreateElement(good);
    EXPECT_EQ(e->NodeName(), good);
    e->Release();
  }
  BuildSmall();
  EXPECT_EQ(model.DocumentElement()->NodeName(), u"r");
  TXpDomImplementation* impl = doc->DomImplementation();
  EXPECT_TRUE(impl->HasFeature(u"xml", u"2.0"));
  EXPECT_TRUE(impl->HasFeature(u"Core", u"2.0"));
  EXPECT_FALSE(impl->HasFeature(u"core", u"1.0"));

  TXpDocument* made = impl->CreateDocument(u"urn:x", u"top", impl->CreateDocumentType(u"top", u"", u""));
  // The doctype's creation reference went to the caller; the document holds its own.
  TXpNode* doctype = made->noGetFirstChild();
  EXPECT_EQ(doctype->RefCount(), 2);
  doctype->Release();
  EXPECT_EQ(made->DocumentElement()->NodeName(), u"top");
  model.SetDocument(made);
  made->Release();
  EXPECT_EQ(model.DocumentElement()->NodeName(), u"top");
}

class NamedElement : public TXpElement {
public:
  using TXpElement::TXpElement;
};

class NamedFactory : public TXpElementFactory {
public:
  TXpElement* CreateElement(const std::u16string& name) override { return new NamedElement(name); }
};

TEST_F(ObjModel, DocumentsTakeTheRegisteredElementFactory) {
  TXpElementFactory::Register<NamedFactory>(u"tessxsl");
  TXpDocument* doc = new TXpDocument();
  TXpElement* e = doc->CreateElement(u"e");
  EXPECT_NE(dynamic_cast<NamedElement*>(e), nullptr);
  EXPECT_EQ(e->noGetOwnerDocument(), doc);
  e->Release();
  doc->Release();
  TXpElementFactory::Unregister<NamedFactory>();
  EXPECT_EQ(TXpElementFactory::FindFactory(u"tessxsl"), nullptr);
  ASSERT_NE(TXpElementFactory::FindFactory(u"default"), nullptr);
  doc = new TXpDocument();
  e = doc->CreateElement(u"e");
  EXPECT_EQ(dynamic_cast<NamedElement*>(e), nullptr);
  e->Release();
  doc->Release();
}

TEST_F(ObjModel, SavesTheEntryFileShapeByteForByte) {
  BuildSmall();
  const fs::path path = dir / "m.vov";
  model.SetFormattedOutput(true);
  ASSERT_TRUE(model.SaveToFile(path.u16string()));
  const std::string formatted =
      "<?xml version=\"1.0\"?>\r\n<r a=\"x\">\r\n  <c/>\r\n  <d>t</d>\r\n</r>";
  EXPECT_EQ(FileBytes(path), formatted);

  model.SetFormattedOutput(false);
  ASSERT_TRUE(model.SaveToFile(u"FiLe://" + path.u16string()));
  EXPECT_EQ(FileBytes(path), "<?xml version=\"1.0\"?>\r\n<r a=\"x\"><c/><d>t</d></r>");
  EXPECT_EQ(FilesIn(), std::vector<std::string>{"m.vov"});
}

// The entry file's road: record texts in Windows-1252 become wide strings,
// the tree is built with the operations the entry-file writer uses, and the
// saved file is pure ASCII under a file name with umlauts.
TEST_F(ObjModel, EntryFileFromAnsiRecordsIsPureAscii) {
  model.omSetFormattedOutput(true);
  TXpDocument* doc = model.Document();
  TXpProcessingInstruction* pi = doc->CreateProcessingInstruction(u"xml", u"version=\"1.0\"");
  doc->AppendChild(pi);
  pi->Release();
  TXpElement* root = doc->CreateElement(u"Meldebogen");
  root->SetAttribute(u"Sportart", u"LA");
  root->SetAttribute(u"ID", u"12654");
  doc->AppendChild(root);
  root->Release();
  auto set = [](TXpElement* e, const char16_t* name, const AnsiString& value) {
    e->SetAttribute(name, AnsiToWide(value));
  };
  TXpElement* top = model.omGetDocumentElement();
  TXpElement* id = top->CreateChildElement(u"VeranstID");
  set(id, u"LBK", "");
  set(id, u"Data", "{G}");
  TXpElement* team = top->CreateChildElement(u"Meldungen")->CreateChildElement(u"Mannschaft");
  TXpElement* school = team->CreateChildElement(u"Schuldaten");
  TXpElement* s = school->CreateChildElement(u"Schule");
  set(s, u"Name", "Schule M\xFCller \x80");
  set(s, u"Reiter", "");
  set(school->CreateChildElement(u"EMail"), u"Mail", "");
  TXpElement* athlete = team->CreateChildElement(u"Teilnehmer");
  set(athlete, u"Name", "J\xF6rg");
  TXpElement* entry = athlete->CreateChildElement(u"Meldung");
  set(entry, u"Disziplin", "0");
  set(entry, u"Leistung", "-5");
  set(team->CreateChildElement(u"Teilnehmer"), u"Name", "Ann");

  const WideString name = AnsiToWide("Gr\xFC\xDF.VOV");
  ASSERT_TRUE(model.SaveToFile((dir.u16string() + u"/") + name));
  const std::string bytes = FileBytes(dir / name);
  EXPECT_EQ(bytes,
            "<?xml version=\"1.0\"?>\r\n"
            "<Meldebogen Sportart=\"LA\" ID=\"12654\">\r\n"
            "  <VeranstID LBK=\"\" Data=\"{G}\"/>\r\n"
            "  <Meldungen>\r\n"
            "    <Mannschaft>\r\n"
            "      <Schuldaten>\r\n"
            "        <Schule Name=\"Schule M&#252;ller &#8364;\" Reiter=\"\"/>\r\n"
            "        <EMail Mail=\"\"/>\r\n"
            "      </Schuldaten>\r\n"
            "      <Teilnehmer Name=\"J&#246;rg\">\r\n"
            "        <Meldung Disziplin=\"0\" Leistung=\"-5\"/>\r\n"
            "      </Teilnehmer>\r\n"
            "      <Teilnehmer Name=\"Ann\"/>\r\n"
            "    </Mannschaft>\r\n"
            "  </Meldungen>\r\n"
            "</Meldebogen>");
  EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](char c) { return c > 0 && c < 0x7F; }));
  EXPECT_EQ(FilesIn().size(), 1u);
}

TEST_F(ObjModel, EncodingsAndTheirMarks) {
  TXpElement* r = model.Document()->CreateElement(u"r");
  model.Document()->AppendChild(r);
  r->Release();
  r->CreateChildText(u"M\u00fcller");
  struct Case { TXpCharEncoding enc; bool raw; bool signature; std::string bytes; };
  const Case cases[] = {
      {ceUnknown, false, true, "<r>M&#252;ller</r>"},
      {ceUTF8, true, true, "\xEF\xBB\xBF<r>M\xC3\xBCller</r>"},
      {ceUTF8, true, false, "<r>M\xC3\xBCller</r>"},
      {ceUTF16LE, false, true, std::string("\xFF\xFE<\0r\0>\0", 8)},
      {ceUTF16BE, false, true, std::string("\xFE\xFF\0<\0r\0>", 8)},
  };
  for (const Case& c : cases) {
    model.SetOutCharSet(c.enc);
    model.Document()->SetRawOutput(c.raw);
    model.SetWriteUTF8Signature(c.signature);
    TMemoryStream out;
    EXPECT_TRUE(model.SaveToStream(out));
    const std::string bytes = StreamBytes(out);
    if (c.enc == ceUTF16LE || c.enc == ceUTF16BE)
      EXPECT_EQ(bytes.substr(0, 8), c.bytes) << c.enc;
    else
      EXPECT_EQ(bytes, c.bytes) << c.enc;
  }
  // Raw Latin-1 bytes only where the document declares the encoding:
  // otherwise a reader takes them for broken UTF-8.
  model.SetOutCharSet(ceISO88591);
  model.Document()->SetRawOutput(true);
  TMemoryStream refused;
  EXPECT_THROW(model.SaveToStream(refused), EXpException);
  TXpProcessingInstruction* decl = model.Document()->CreateProcessingInstruction(
      u"xml", u"version=\"1.0\" encoding='iso-8859-1'");
  model.Document()->InsertBefore(decl, r);
  decl->Release();
  TMemoryStream latin1;
  EXPECT_TRUE(model.SaveToStream(latin1));
  EXPECT_EQ(StreamBytes(latin1), "<?xml version=\"1.0\" encoding='iso-8859-1'?>\r\n<r>M\xFCller</r>");
  // A declaration naming another encoding than the one written is refused.
  for (TXpCharEncoding other : {ceUTF8, ceUTF16LE, ceUTF16BE}) {
    model.SetOutCharSet(other);
    TMemoryStream mismatch;
    EXPECT_THROW(model.SaveToStream(mismatch), EXpException) << other;
  }
}

TEST_F(ObjModel, LargeDocumentSavesTheSameMarkupItShows) {
  BuildSmall();
  model.SetFormattedOutput(true);
  TXpElement* r = model.DocumentElement();
  for (int i = 0; i < 3000; ++i) {
    TXpElement* e = r->CreateChildElement(u"e");
    e->SetAttribute(u"n", u"\u00e4&" + Utf8ToWide(std::to_string(i)));
    e->CreateChildElement(u"f")->CreateChildText(u"text\U0001F600");
  }
  const size_t rootSize = r->noomGetXpDocument().size();
  // A writer hook that renders markup of its own must not disturb the save.
  size_t seen = 0;
  int calls = 0;
  bool inside = false;
  model.Document()->OnBeforeElementOutput = [&](TXpDocument*, TXpElement* e) {
    if (inside || e->NodeName() != u"f" || calls++ % 1000 != 0) return;
    inside = true;
    seen += model.DocumentElement()->noomGetXpDocument().size();
    inside = false;
  };
  const std::string expected = WideToUtf8(model.XmlDocument());
  EXPECT_GT(expected.size(), 100000u);
  model.SetOutCharSet(ceUTF8);
  model.SetWriteUTF8Signature(false);
  TMemoryStream out;
  model.SaveToStream(out);
  EXPECT_EQ(StreamBytes(out), expected);
  EXPECT_EQ(seen, 2 * 3 * rootSize);
}

// Halves of a surrogate pair in two nodes are two unpaired surrogates, not
// one character: the save refuses them in every encoding and mode.
TEST_F(ObjModel, SurrogateHalvesInTwoNodesAreRefused) {
  TXpElement* r = model.Document()->CreateElement(u"r");
  model.Document()->AppendChild(r);
  r->Release();
  r->CreateChildText(u"a\xD83D");
  r->CreateChildText(u"\xDE00" u"b");
  for (bool raw : {false, true}) {
    for (TXpCharEncoding enc : {ceUTF8, ceUTF16LE, ceUTF16BE}) {
      model.Document()->SetRawOutput(raw);
      model.SetOutCharSet(enc);
      TMemoryStream out;
      EXPECT_THROW(model.SaveToStream(out), EXpStreamError) << enc << " raw " << raw;
    }
  }
}

// The save encodes as it writes: its bytes must be the shown markup in the
// chosen encoding, over many buffers' worth of output, for every kind of
// node and with references or raw characters.
TEST_F(ObjModel, SavedBytesAreTheShownMarkupInEveryEncoding) {
  struct Case { TXpCharEncoding enc; const char16_t* declared; bool raw; };
  const Case cases[] = {
      {ceUTF8, u"UTF-8", false},         {ceUTF8, u"UTF-8", true},
      {ceUTF16LE, u"UTF-16", false},     {ceUTF16LE, u"UTF-16", true},
      {ceUTF16BE, u"UTF-16", false},     {ceUTF16BE, u"UTF-16", true},
      {ceISO88591, u"ISO-8859-1", false}, {ceISO88591, u"ISO-8859-1", true},
  };
  auto encode = [](const std::u16string& text, TXpCharEncoding enc) {
    std::string bytes;
    if (enc == ceUTF8) return WideToUtf8(text);
    if (enc == ceUTF16LE) bytes = "\xFF\xFE";
    if (enc == ceUTF16BE) bytes = "\xFE\xFF";
    for (char16_t c : text) {
      if (enc == ceISO88591) {
        bytes += static_cast<char>(c);
      } else {
        const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
        bytes += enc == ceUTF16LE ? lo : hi;
        bytes += enc == ceUTF16LE ? hi : lo;
      }
    }
    return bytes;
  };
  for (const Case& c : cases) {
    const bool latin1 = c.enc == ceISO88591;
    // Outside references only characters the encoding carries.
    const std::u16string wide = latin1 ? u"\u00ff" : u"\u20ac\U0001F600";
    model.ClearDocument();
    TXpDocument* doc = model.Document();
    doc->SetRawOutput(c.raw);
    model.SetFormattedOutput(true);
    TXpProcessingInstruction* decl =
        doc->CreateProcessingInstruction(u"xml", u"version=\"1.0\" encoding=\"" + std::u16string(c.declared) + u"\"");
    doc->AppendChild(decl);
    decl->Release();
    TXpElement* r = doc->CreateElement(u"r\u00e4");
    doc->AppendChild(r);
    r->Release();
    for (int i = 0; i < 2500; ++i) {
      // Odd lengths shift every piece against the buffer's end.
      const std::u16string n = Utf8ToWide(std::to_string(i));
      TXpElement* e = r->CreateChildElement(u"e\u00e9" + n.substr(0, i % 3));
      e->SetAttribute(u"a\u00fc", u"\u00e4&\"\t<" + n + wide);
      // ASCII names and values that start plain go into the buffer whole.
      TXpElement* f = e->CreateChildElement(u"f" + n.substr(0, i % 3));
      f->SetAttribute(u"b", n + u"x" + wide + u"&" + n);
      f->SetAttribute(u"c", n);
      e->CreateChildText(u"t" + wide + u"]]>\r\n" + n);
      e->CreateChildCDataSection(u"c" + wide + u"]]>" + n + u"\n");
      TXpComment* comment = doc->CreateComment(u"k\n" + wide + n);
      e->AppendChild(comment);
      comment->Release();
      TXpProcessingInstruction* pi = doc->CreateProcessingInstruction(u"p\u00f6", wide + n);
      e->AppendChild(pi);
      pi->Release();
    }
    const std::u16string shown = model.XmlDocument();
    ASSERT_GT(shown.size(), 300000u);
    model.SetOutCharSet(c.enc);
    model.SetWriteUTF8Signature(false);
    TMemoryStream out;
    ASSERT_TRUE(model.SaveToStream(out)) << c.enc << " raw " << c.raw;
    EXPECT_TRUE(StreamBytes(out) == encode(shown, c.enc)) << c.enc << " raw " << c.raw;
  }
}

TEST_F(ObjModel, FailedSaveKeepsThePreviousFileAndLeavesNoTemporary) {
  TXpElement* r = model.Document()->CreateElement(u"r");
  model.Document()->AppendChild(r);
  r->Release();
  const fs::path path = dir / "keep.vov";
  ASSERT_TRUE(model.SaveToFile(path.u16string()));
  const std::string before = FileBytes(path);

  // A character ISO-8859-1 cannot hold, written raw, fails the encoding.
  model.Document()->SetRawOutput(true);
  r->CreateChildText(u"\u20ac");
  EXPECT_THROW(model.SaveToFile(path.u16string()), EXpStreamError);
  EXPECT_EQ(FileBytes(path), before);

  // A folder in place of the file fails the rename.
  model.Document()->SetRawOutput(false);
  fs::create_directory(dir / "folder.vov");
  fs::create_directory(dir / "folder.vov" / "inner");
  EXPECT_ANY_THROW(model.SaveToFile((dir / "folder.vov").u16string()));
  try {
    model.SaveToFile((dir / "missing" / "x.vov").u16string());
    ADD_FAILURE() << "saved into a missing folder";
  } catch (const EFCreateError& e) {
    EXPECT_NE(e.Message().find(" kann nicht erstellt werden"), std::string::npos) << e.Message();
  }
#ifndef _WIN32
  // Natively there is no network: the save fails with its message.
  model.Errors()->Clear();
  EXPECT_FALSE(model.SaveToFile(u"FTP://host/x.vov"));
  ASSERT_EQ(model.ErrorCount(), 1);
  EXPECT_EQ(model.Errors()->Strings(0), "Cannot open WININET, Microsoft IE required");
#endif
  EXPECT_THROW(model.SaveToFile(dir.u16string() + u"/a\xD800.vov"), EFCreateError);

  // A lone surrogate is no character: it fails instead of ending the text.
  r->CreateChildText(u"a\xD800" u"b");
  EXPECT_THROW(model.SaveToFile(path.u16string()), EXpStreamError);
  EXPECT_EQ(FileBytes(path), before);

  auto names = FilesIn();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"folder.vov", "keep.vov"}));
}

// Interrupted saves leave temporary files behind; the next save of the same
// file removes them (whatever their number), and leaves other files alone.
TEST_F(ObjModel, SaveRemovesTheTemporaryFilesOfInterruptedSaves) {
  TXpElement* r = model.Document()->CreateElement(u"r");
  model.Document()->AppendChild(r);
  r->Release();
  const fs::path path = dir / "m.vov";
  std::vector<std::string> kept = {"m.vov.bak", "m.vov.~kel0123.tmp", "other.vov.~kel0123456789abcdef.tmp",
                                   "m.vov.~1tmp"};
  std::vector<std::string> stale = {"m.vov.~kel0123456789abcdef.tmp"};
  for (char c = 'a'; c <= 'z'; ++c) stale.push_back(std::string("m.vov.~") + c + "tmp");
  for (const auto& names : {kept, stale})
    for (const std::string& name : names) std::ofstream(dir / name) << "x";

  ASSERT_TRUE(model.SaveToFile(path.u16string()));
  kept.push_back("m.vov");
  std::sort(kept.begin(), kept.end());
  auto names = FilesIn();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, kept);
}

}  // namespace

// Nothing the writer saves fails to parse: characters XML does not allow,
// in every kind of node and every encoding, raise instead of being written
// (raw or as a reference), and so do raw characters the undeclared
// encoding cannot carry.
TEST_F(ObjModel, SavingRefusesWhatWouldMakeTheFileIllFormed) {
  using Put = void (*)(TXpDocument*, TXpElement*, const std::u16string&);
  const struct {
    const char* where;
    Put put;
  } places[] = {
      {"text", [](TXpDocument*, TXpElement* r, const std::u16string& s) { r->CreateChildText(s); }},
      {"attribute", [](TXpDocument*, TXpElement* r, const std::u16string& s) { r->SetAttribute(u"a", s); }},
      {"CDATA", [](TXpDocument*, TXpElement* r, const std::u16string& s) { r->CreateChildCDataSection(s); }},
      {"comment",
       [](TXpDocument* d, TXpElement* r, const std::u16string& s) {
         TXpComment* c = d->CreateComment(s);
         r->AppendChild(c);
         c->Release();
       }},
      {"instruction",
       [](TXpDocument* d, TXpElement* r, const std::u16string& s) {
         TXpProcessingInstruction* p = d->CreateProcessingInstruction(u"p", s);
         r->AppendChild(p);
         p->Release();
       }},
  };
  const char16_t bad[] = {0x0, 0x1, 0x8, 0xB, 0xC, 0xE, 0x1F, 0xFFFE, 0xFFFF};
  for (const auto& place : places) {
    for (char16_t c : bad) {
      for (TXpCharEncoding enc : {ceUTF8, ceUTF16LE, ceUTF16BE, ceISO88591}) {
        model.ClearDocument();
        TXpElement* r = model.Document()->CreateElement(u"r");
        model.Document()->AppendChild(r);
        r->Release();
        place.put(model.Document(), r, u"a" + std::u16string(1, c) + u"b");
        model.SetOutCharSet(enc);
        TMemoryStream out;
        EXPECT_THROW(model.SaveToStream(out), EXpException) << place.where << " U+" << int(c) << " " << enc;
      }
    }
    // Latin-1 raw in CDATA, comments and instructions only when declared.
    if (place.put == places[0].put || place.put == places[1].put) continue;
    model.ClearDocument();
    TXpElement* r = model.Document()->CreateElement(u"r");
    model.Document()->AppendChild(r);
    r->Release();
    place.put(model.Document(), r, u"\u00e9");
    model.SetOutCharSet(ceISO88591);
    TMemoryStream refused, utf8;
    try {
      model.SaveToStream(refused);
      ADD_FAILURE() << place.where << " written";
    } catch (const EXpException& e) {
      EXPECT_STREQ(e.what(), "Only ASCII characters can be written without an encoding declaration") << place.where;
    }
    model.SetOutCharSet(ceUTF8);
    EXPECT_TRUE(model.SaveToStream(utf8)) << place.where;
  }
}

TEST_F(ObjModel, AWriteRefusedForItsEncodingSaysWhy) {
  const struct {
    const char16_t* declaration;  // null: none
    const char16_t* name;
    const char* error;
  } cases[] = {
      {nullptr, u"Stra\u00dfe", "Only ASCII characters can be written without an encoding declaration"},
      {nullptr, u"\u20ac", "Only ASCII characters can be written without an encoding declaration"},
      {u"version=\"1.0\" encoding=\"ISO-8859-1\"", u"\u20ac",
       "Cannot convert UCS-4 character to ISO-8859-1"},
      {u"version=\"1.0\" encoding=\"ISO-8859-1\"", u"Stra\u00dfe", nullptr},
  };
  for (const auto& c : cases) {
    model.ClearDocument();
    TXpDocument* doc = model.Document();
    if (c.declaration) {
      TXpProcessingInstruction* decl = doc->CreateProcessingInstruction(u"xml", c.declaration);
      doc->AppendChild(decl);
      decl->Release();
    }
    TXpElement* root = doc->CreateElement(c.name);
    doc->AppendChild(root);
    root->Release();
    model.SetOutCharSet(ceISO88591);
    TMemoryStream out;
    try {
      model.SaveToStream(out);
      EXPECT_EQ(c.error, nullptr) << WideToUtf8(c.name) << " written";
    } catch (const EXpException& e) {
      ASSERT_NE(c.error, nullptr) << e.what();
      EXPECT_STREQ(e.what(), c.error) << WideToUtf8(c.name);
    }
  }
}

TEST_F(ObjModel, NamesAndInstructionTargetsAreCheckedWhenMade) {
  TXpDocument* doc = model.Document();
  TXpElement* r = doc->CreateElement(u"r");
  doc->AppendChild(r);
  r->Release();
  for (const char16_t* name : {u"", u"a b", u"a=\"x\"", u"1a", u"a>"}) {
    try {
      r->SetAttribute(name, u"v");
      ADD_FAILURE() << WideToUtf8(name);
    } catch (const TXpDOMException& e) {
      EXPECT_EQ(e.Code(), ecInvalidNameErr) << WideToUtf8(name);
    }
  }
  EXPECT_FALSE(r->HasAttributes());
  for (const char16_t* target : {u"", u"?", u"a b", u"XML", u"Xml"})
    EXPECT_THROW(doc->CreateProcessingInstruction(target, u"d"), TXpDOMException) << WideToUtf8(target);
  // The XML declaration only as the document's first node.
  TXpProcessingInstruction* decl = doc->CreateProcessingInstruction(u"xml", u"version=\"1.0\"");
  r->AppendChild(decl);
  decl->Release();
  TMemoryStream out;
  EXPECT_THROW(model.SaveToStream(out), TXpDOMException);
}
