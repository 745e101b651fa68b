#include "app/forms/MailHandOff.h"

#include "app/forms/SimpleMapi.h"
#include "classlib/StringList.h"

using namespace simple_mapi;

const char* const kEntryMailSubject = "Online-Wettkampfmeldung";
const char* const kEntryMailBody =
    " Dieses Mail wurde durch das Zavrolin 2011.2 generiert.\n"
    " Die Meldung finden Sie im Anhang.\n\n\n";

std::string AttachmentFileName(const std::string& path) {
  std::string::size_type p = path.find_last_of("\\:");
  return p == std::string::npos ? path : path.substr(p + 1);
}

namespace {

bool isFile(const std::string& path) {
  DWORD attr = GetFileAttributesA(path.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

class Library {
 public:
  explicit Library(const char* name) : h_(LoadLibraryA(name)) {}
  ~Library() {
    if (h_) FreeLibrary(h_);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  explicit operator bool() const { return h_ != nullptr; }
  template <class F>
  F entry(const char* name) const {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(h_, name)));
  }

 private:
  HMODULE h_;
};

bool send(SendMailFn sendMail, Handle session, const std::vector<std::string>& to,
          const std::vector<std::string>* cc, const std::string& subject,
          const std::string& body, const std::vector<std::string>* attachments) {
  // Own, separately held copies of every text handed over; they and the
  // arrays are released when this function returns, whatever the result.
  std::vector<std::string> texts;
  std::size_t ccCount = cc ? cc->size() : 0;
  std::size_t fileCount = attachments ? attachments->size() : 0;
  texts.reserve(2 * (to.size() + ccCount + fileCount) + 2);
  auto keep = [&texts](std::string s) -> char* {
    texts.push_back(std::move(s));
    return texts.back().data();
  };

  std::vector<RecipDesc> recips(to.size() + ccCount, RecipDesc{});
  std::size_t r = 0;
  for (const std::string& a : to) {
    recips[r].ulRecipClass = RecipTo;
    recips[r].lpszName = keep(a);
    recips[r].lpszAddress = keep("SMTP:" + a);
    ++r;
  }
  for (std::size_t i = 0; i < ccCount; ++i) {
    recips[r].ulRecipClass = RecipCc;
    recips[r].lpszName = keep((*cc)[i]);
    recips[r].lpszAddress = keep("SMTP:" + (*cc)[i]);
    ++r;
  }

  std::vector<FileDesc> files(fileCount, FileDesc{});
  for (std::size_t i = 0; i < fileCount; ++i) {
    files[i].nPosition = 0xFFFFFFFFu;
    files[i].lpszPathName = keep((*attachments)[i]);
    files[i].lpszFileName = keep(AttachmentFileName((*attachments)[i]));
  }

  Message msg{};
  msg.lpszSubject = keep(subject);
  msg.lpszNoteText = keep(body);
  msg.nRecipCount = static_cast<uint32_t>(recips.size());
  msg.lpRecips = recips.data();
  if (fileCount > 0) {
    msg.nFileCount = static_cast<uint32_t>(fileCount);
    msg.lpFiles = files.data();
  }
  return sendMail(session, 0, &msg, LogonUi, 0) == SuccessSuccess;
}

std::vector<std::string> linesOf(const TStrings& list) {
  std::vector<std::string> out;
  for (int32_t i = 0; i < list.Count(); ++i) out.push_back(list.Strings(i));
  return out;
}

}  // namespace

bool SendMailMapiFrom(const char* library, const std::vector<std::string>* to,
                      const std::vector<std::string>* cc, const std::string& subject,
                      const std::string& body, const std::vector<std::string>* attachments) {
  if (!to || to->empty()) return false;
  if (attachments) {
    for (const std::string& path : *attachments)
      if (!isFile(path)) return false;
  }
  Library lib(library);
  if (!lib) return false;
  auto logon = lib.entry<LogonFn>("MAPILogon");
  auto logoff = lib.entry<LogoffFn>("MAPILogoff");
  auto sendMail = lib.entry<SendMailFn>("MAPISendMail");

  bool result = false;
  Handle session = 0;
  if (logon && logoff && sendMail) {
    if (logon(0, nullptr, nullptr, LogonUi, 0, &session) == SuccessSuccess)
      result = send(sendMail, session, *to, cc, subject, body, attachments);
    else
      session = 0;
  }
  if (logoff) logoff(session, 0, 0, 0);
  return result;
}

bool SendMailMapi(const TStrings* to, const TStrings* cc, const std::string& subject,
                  const std::string& body, const TStrings* attachments) {
  if (!to || to->Count() == 0) return false;
  std::vector<std::string> toList = linesOf(*to), ccList, files;
  if (cc) ccList = linesOf(*cc);
  if (attachments) files = linesOf(*attachments);
  return SendMailMapiFrom("MAPI32.DLL", &toList, cc ? &ccList : nullptr, subject, body,
                          attachments ? &files : nullptr);
}
