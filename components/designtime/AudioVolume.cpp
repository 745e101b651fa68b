#include "components/designtime/AudioVolume.h"

#include <algorithm>

// The capability record the device query fills.
static_assert(sizeof(AUXCAPSA) == 48, "capability record");

namespace {

const TAudioDeviceApi kSystem = {auxGetNumDevs, auxGetDevCapsA, auxSetVolume, auxGetVolume};
const TAudioDeviceApi* gApi = nullptr;

}  // namespace

const TAudioDeviceApi& AudioDeviceApi() { return gApi ? *gApi : kSystem; }

void SetAudioDeviceApi(const TAudioDeviceApi* api) { gApi = api; }

int GetAudioDevice() {
  const TAudioDeviceApi& api = AudioDeviceApi();
  const UINT count = api.GetNumDevs();
  for (UINT i = 0; i < count; ++i) {
    AUXCAPSA caps = {};
    if (api.GetDevCaps(i, &caps, sizeof caps) == MMSYSERR_NOERROR && (caps.dwSupport & AUXCAPS_VOLUME))
      return static_cast<int>(i);
  }
  return -1;
}

int SetAudioVolume(int level) {
  const int device = GetAudioDevice();
  if (device < 0) return -1;
  const DWORD value = static_cast<DWORD>(std::clamp(level, 0, 255)) * 0x01000100u;
  return AudioDeviceApi().SetVolume(static_cast<UINT>(device), value) == MMSYSERR_NOERROR ? 0 : -1;
}

int GetAudioVolume() {
  const int device = GetAudioDevice();
  if (device < 0) return -1;
  DWORD value = 0;
  if (AudioDeviceApi().GetVolume(static_cast<UINT>(device), &value) != MMSYSERR_NOERROR) return -1;
  return static_cast<int>(((value & 0xFFFFu) + (value >> 16)) / 2 / 256);
}
