// The mail hand-off against a recording mail library (loaded in place of the
// system's through WINEDLLOVERRIDES), and with the library switched off.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/forms/MailHandOff.h"
#include "classlib/StringList.h"
#include "tests/support/TestFiles.h"

namespace {

std::string mode() {
  char buf[32] = {};
  GetEnvironmentVariableA("KEL_MAPI_MODE", buf, sizeof buf);
  return buf;
}

class Mail : public ::testing::Test {
 protected:
  void SetUp() override {
    if (mode() == "missing") GTEST_SKIP() << "the mail library is switched off in this run";
    log_ = dir_ / "mapi_record.txt";
    SetEnvironmentVariableA("KEL_MAPI_LOG", log_.c_str());
    SetEnvironmentVariableA("KEL_MAPI_LOGON_RC", nullptr);
    SetEnvironmentVariableA("KEL_MAPI_SEND_RC", nullptr);
    CreateDirectoryA("C:\\m", nullptr);
    std::ofstream("C:\\m\\a.VOV") << "<Meldebogen/>";
  }
  void TearDown() override {
    SetEnvironmentVariableA("KEL_MAPI_LOG", nullptr);
  }

  std::vector<std::string> recorded() const {
    std::vector<std::string> lines;
    std::ifstream in(log_);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
  }
  bool recordedNothing() const { return GetFileAttributesA(log_.c_str()) == INVALID_FILE_ATTRIBUTES; }

  kel::test::TempDir dir_;
  std::string log_;
};

TStringList list(std::initializer_list<const char*> items) {
  TStringList l;
  for (const char* s : items) l.Add(s);
  return l;
}

TEST_F(Mail, EntryFileMailHandsOverEveryField) {
  TStringList to = list({"org@x.de"}), files = list({"C:\\m\\a.VOV"});
  EXPECT_TRUE(SendMailMapi(&to, nullptr, kEntryMailSubject, kEntryMailBody, &files));
  std::vector<std::string> expected = {
      "logon ui=0 profile=(null) password=(null) flags=1 reserved=0",
      "send session=23130 ui=0 flags=1 reserved=0",
      "msg reserved=0 flags=0 type=(null) date=(null) conversation=(null) originator=(null)",
      "subject=Online-Wettkampfmeldung",
      "body= Dieses Mail wurde durch das Zavrolin 2011.2 generiert.\\n"
      " Die Meldung finden Sie im Anhang.\\n\\n\\n",
      "recips=1",
      "recip reserved=0 class=1 name=org@x.de address=SMTP:org@x.de eidsize=0 eid=(null)",
      "files=1",
      "file reserved=0 flags=0 position=4294967295 path=C:\\m\\a.VOV name=a.VOV type=(null)",
      "logoff session=23130 ui=0 flags=0 reserved=0",
  };
  EXPECT_EQ(recorded(), expected);
}

TEST_F(Mail, CcRecipientsFollowTheToRecipientsUnchanged) {
  TStringList to = list({" a@x.de", "b"}), cc = list({"c@y"});
  EXPECT_TRUE(SendMailMapi(&to, &cc, "s", "b", nullptr));
  std::vector<std::string> rec = recorded();
  ASSERT_EQ(rec.size(), 11u);
  EXPECT_EQ(rec[5], "recips=3");
  EXPECT_EQ(rec[6], "recip reserved=0 class=1 name= a@x.de address=SMTP: a@x.de eidsize=0 eid=(null)");
  EXPECT_EQ(rec[7], "recip reserved=0 class=1 name=b address=SMTP:b eidsize=0 eid=(null)");
  EXPECT_EQ(rec[8], "recip reserved=0 class=2 name=c@y address=SMTP:c@y eidsize=0 eid=(null)");
  EXPECT_EQ(rec[9], "files=0 (null)");
}

TEST_F(Mail, AnEmptyCcListAddsNoRecipient) {
  TStringList to = list({"a"}), cc;
  EXPECT_TRUE(SendMailMapi(&to, &cc, "s", "b", nullptr));
  EXPECT_EQ(recorded().at(5), "recips=1");
}

TEST_F(Mail, RefusalsGiveFalse) {
  TStringList to = list({"org@x.de"}), files = list({"C:\\m\\a.VOV"});

  SetEnvironmentVariableA("KEL_MAPI_SEND_RC", "1");
  EXPECT_FALSE(SendMailMapi(&to, nullptr, "s", "b", &files));
  std::vector<std::string> rec = recorded();
  ASSERT_FALSE(rec.empty());
  EXPECT_EQ(rec.back(), "logoff session=23130 ui=0 flags=0 reserved=0");

  DeleteFileA(log_.c_str());
  SetEnvironmentVariableA("KEL_MAPI_SEND_RC", nullptr);
  SetEnvironmentVariableA("KEL_MAPI_LOGON_RC", "3");
  EXPECT_FALSE(SendMailMapi(&to, nullptr, "s", "b", &files));
  // No send after a refused log-on; the log-off gets the empty session.
  EXPECT_EQ(recorded(), (std::vector<std::string>{
                            "logon ui=0 profile=(null) password=(null) flags=1 reserved=0",
                            "logoff session=0 ui=0 flags=0 reserved=0"}));
}

TEST_F(Mail, NothingIsLoadedOrSentWithoutRecipientOrAttachment) {
  TStringList none, to = list({"org@x.de"}), missing = list({"C:\\m\\fehlt.VOV"}),
                    folder = list({"C:\\m"});
  EXPECT_FALSE(SendMailMapi(nullptr, nullptr, "s", "b", nullptr));
  EXPECT_FALSE(SendMailMapi(&none, nullptr, "s", "b", nullptr));
  // A message must never go out without the file it is meant to carry.
  EXPECT_FALSE(SendMailMapi(&to, nullptr, "s", "b", &missing));
  EXPECT_FALSE(SendMailMapi(&to, nullptr, "s", "b", &folder));
  EXPECT_TRUE(recordedNothing());
}

TEST_F(Mail, ALibraryWithoutLogoffIsRefused) {
  std::vector<std::string> to = {"org@x.de"};
  EXPECT_FALSE(SendMailMapiFrom("mapi32_nologoff.dll", &to, nullptr, "s", "b", nullptr));
  EXPECT_TRUE(recordedNothing());
}

TEST(MailFileName, IsThePartAfterTheLastBackslashOrColon) {
  struct Case {
    const char* path;
    const char* name;
  } cases[] = {{"C:\\m\\a.VOV", "a.VOV"}, {"C:a.VOV", "a.VOV"}, {"a.VOV", "a.VOV"},
               {"\\\\srv\\share\\x\\b.vov", "b.vov"}, {"C:\\m\\", ""}};
  for (const Case& c : cases) EXPECT_EQ(AttachmentFileName(c.path), c.name) << c.path;
}

TEST(MailMissing, NoLibraryGivesFalse) {
  if (mode() != "missing") GTEST_SKIP() << "runs with the mail library switched off";
  EXPECT_EQ(LoadLibraryA("MAPI32.DLL"), nullptr);
  TStringList to;
  to.Add("org@x.de");
  EXPECT_FALSE(SendMailMapi(&to, nullptr, "s", "b", nullptr));
}

}  // namespace
