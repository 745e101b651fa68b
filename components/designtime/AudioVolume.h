#pragma once
// The volume of the first auxiliary audio device that has a volume
// control. The device functions are reached through a table that tests
// can replace (a machine may have no device at all).
#include <windows.h>

#include <mmsystem.h>

struct TAudioDeviceApi {
  UINT(WINAPI* GetNumDevs)();
  MMRESULT(WINAPI* GetDevCaps)(UINT_PTR device, LPAUXCAPSA caps, UINT size);
  MMRESULT(WINAPI* SetVolume)(UINT device, DWORD volume);
  MMRESULT(WINAPI* GetVolume)(UINT device, LPDWORD volume);
};

// The table in use (the system's by default); null restores the system's.
const TAudioDeviceApi& AudioDeviceApi();
void SetAudioDeviceApi(const TAudioDeviceApi* api);

// The device's index, or -1 when no device controls its volume.
int GetAudioDevice();
// Sets both channels to level (clamped to 0..255); -1 without a device.
int SetAudioVolume(int level);
// The mean of both channels, 0..255; -1 without a device.
int GetAudioVolume();
