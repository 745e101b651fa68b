#include "components/buttonedits/runtime/LogData.h"

#include "components/buttonedits/runtime/FileCalls.h"

namespace {

TLogWriter& Writer() {
  static TLogWriter writer;
  return writer;
}

}  // namespace

AnsiString GetLogDataFileName() {
  const AnsiString folder = filecalls::ExeFolder() + "LOGS" + filecalls::Separator();
  if (!filecalls::DirectoryExists(folder)) filecalls::CreateDir(folder.substr(0, folder.size() - 1));
  return folder + filecalls::NewGuidText() + ".log";
}

void SetLogWriter(TLogWriter writer) { Writer() = std::move(writer); }

void WriteToLog(const Variant& value) {
  if (Writer()) Writer()(value);
}
