// Loading over HTTP and FTP through WinINet, against the loopback servers
// that net-test.sh starts (address in KEL_NET_ADDR).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "xml/dom/XpElement.h"
#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpObjModel.h"

namespace {

std::string Addr() {
  const char* a = std::getenv("KEL_NET_ADDR");
  return a ? a : "127.0.0.115";
}

// Files of the loaders in the temporary folder.
int TempFileCount() {
  char folder[MAX_PATH + 1] = {0};
  GetTempPathA(MAX_PATH, folder);
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((std::string(folder) + "Tes*.tmp").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do ++n;
  while (FindNextFileA(h, &data));
  FindClose(h);
  return n;
}

}  // namespace

TEST(XpNetSource, LoadsOverHttpAndLeavesNoTemporaryFile) {
  const int before = TempFileCount();
  TXpObjModel om(nullptr);
  ASSERT_TRUE(om.LoadDataSource(AnsiToWide("http://" + Addr() + "/docs/doc.xml"))) << om.GetErrorMsg(0);
  EXPECT_EQ(om.DocumentElement()->GetAttribute(u"from"), u"http");
  EXPECT_EQ(om.DocLocation(), AnsiToWide(Addr() + "/docs/"));
  EXPECT_EQ(TempFileCount(), before);
}

TEST(XpNetSource, AMissingHttpDocumentIsNotAvailable) {
  TXpObjModel om(nullptr);
  EXPECT_FALSE(om.LoadDataSource(AnsiToWide("http://" + Addr() + "/docs/none.xml")));
  ASSERT_GE(om.ErrorCount(), 1);
  EXPECT_EQ(om.GetErrorMsg(0), "Http data not available");
}

TEST(XpNetSource, LoadsOverFtpWithUserAndPassword) {
  const int before = TempFileCount();
  TXpObjModel om(nullptr);
  om.SetUserName("kel");
  om.SetPassword("geheim");
  ASSERT_TRUE(om.LoadDataSource(AnsiToWide("ftp://" + Addr() + "/in/sub/doc.xml"))) << om.GetErrorMsg(0);
  EXPECT_EQ(om.DocumentElement()->GetAttribute(u"from"), u"ftp");
  EXPECT_EQ(TempFileCount(), before);

  TXpObjModel missing(nullptr);
  missing.SetUserName("kel");
  missing.SetPassword("geheim");
  EXPECT_FALSE(missing.LoadDataSource(AnsiToWide("ftp://" + Addr() + "/in/sub/none.xml")));
  EXPECT_EQ(missing.GetErrorMsg(0), "Unable to open ftp file");
}

// Saving to an FTP location uploads the document and leaves no temporary
// file; a refused login adds its message and reports false.
TEST(XpNetSource, SavesOverFtpAndLeavesNoTemporaryFile) {
  const int before = TempFileCount();
  TXpObjModel om(nullptr);
  const std::string text = "<?xml version=\"1.0\"?>\r\n<doc to=\"ftp\"/>";
  ASSERT_TRUE(om.LoadMemory(text.data(), static_cast<int32_t>(text.size())));
  om.SetUserName("kel");
  om.SetPassword("geheim");
  ASSERT_TRUE(om.SaveToFile(AnsiToWide("FTP://" + Addr() + "/in/sub/out.xml"))) << om.GetErrorMsg(0);
  EXPECT_EQ(TempFileCount(), before);

  TXpObjModel back(nullptr);
  back.SetUserName("kel");
  back.SetPassword("geheim");
  ASSERT_TRUE(back.LoadDataSource(AnsiToWide("ftp://" + Addr() + "/in/sub/out.xml"))) << back.GetErrorMsg(0);
  EXPECT_EQ(back.DocumentElement()->GetAttribute(u"to"), u"ftp");

  om.SetPassword("falsch");
  om.Errors()->Clear();
  EXPECT_FALSE(om.SaveToFile(AnsiToWide("FTP://" + Addr() + "/in/sub/out2.xml")));
  EXPECT_GE(om.ErrorCount(), 1);
  EXPECT_EQ(TempFileCount(), before);
}
