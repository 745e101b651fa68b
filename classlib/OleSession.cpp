#include "classlib/OleSession.h"

#include <ole2.h>

namespace {

struct OleSession {
  HRESULT result = E_FAIL;
  OleSession() : result(OleInitialize(nullptr)) {}
  ~OleSession() {
    if (SUCCEEDED(result)) OleUninitialize();
  }
};

}  // namespace

bool EnsureOleInitialized() {
  static OleSession session;
  return SUCCEEDED(session.result);
}
