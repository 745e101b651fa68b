#include "app/core/Platform.h"

namespace kel {

namespace {
Platform* gInstalled = nullptr;
}

Platform& platform() { return gInstalled ? *gInstalled : defaultPlatform(); }

void setPlatform(Platform* p) { gInstalled = p; }

}  // namespace kel
