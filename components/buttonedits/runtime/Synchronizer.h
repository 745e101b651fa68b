#pragma once
// A reader/writer lock that behaves as one mutual-exclusion lock: readers
// exclude each other too. Re-entrant on one thread.
#include <mutex>

class TMultiReadExclusiveWriteSynchronizer {
 public:
  void BeginRead() { FLock.lock(); }
  void EndRead() { FLock.unlock(); }
  void BeginWrite() { FLock.lock(); }
  void EndWrite() { FLock.unlock(); }

 private:
  std::recursive_mutex FLock;
};
