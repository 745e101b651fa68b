#pragma once
// Hands one message with attachments to the user's mail program through
// Simple MAPI. The mail library is loaded for the one call only.
#include <string>
#include <vector>

class TStrings;

// Subject and body of the entry-file mail.
extern const char* const kEntryMailSubject;
extern const char* const kEntryMailBody;

// The name an attachment is shown with: the part of its path after the last
// backslash or drive colon (the whole path when it has neither).
std::string AttachmentFileName(const std::string& path);

// True when the mail program accepted the message (the send returned 0).
// `to` is required; `cc` and `attachments` may be null. Every attachment must
// exist as a file: a message that would go without its attachment is not sent.
bool SendMailMapi(const TStrings* to, const TStrings* cc, const std::string& subject,
                  const std::string& body, const TStrings* attachments);

// The same through a named library (the tests use this to load a library that
// lacks an entry point).
bool SendMailMapiFrom(const char* library, const std::vector<std::string>* to,
                      const std::vector<std::string>* cc, const std::string& subject,
                      const std::string& body, const std::vector<std::string>* attachments);
