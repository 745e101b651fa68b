// libFuzzer target: any bytes as a document for the object model's parser;
// it must answer with a tree or an error, never crash, hang or leak.
#include <cstddef>
#include <cstdint>

#include "xml/dom/XpObjModel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  TXpObjModel model(nullptr);
  model.LoadMemory(data, static_cast<int32_t>(size));
  if (model.ErrorCount() == 0) {
    // What was read is written again; the writer may refuse only characters
    // XML does not allow, which the parser never lets in.
    model.XmlDocument();
    // The validator reads the same hostile declarations.
    model.ValidateDocument();
  }
  return 0;
}
