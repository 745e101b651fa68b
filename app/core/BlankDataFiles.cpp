#include "app/core/DataFileHeader.h"
#include "app/core/EventState.h"
#include "app/core/FileSystem.h"
#include "app/core/Memory.h"
#include "app/core/Platform.h"
#include "app/core/Settings.h"

#include <cstring>
#include <vector>

namespace {

std::vector<uint8_t> BlankFileImage(const char* ext) {
  const DataFileHeader& h = DataHeaderTemplate();
  std::vector<uint8_t> bytes;
  if (std::strcmp(ext, "SDA") == 0) {
    bytes.resize(kSdaFileSize);
    TeamRecord r;
    BlankTeamRecord(r);
    for (int32_t i = 0; i < 240; ++i) std::memcpy(&bytes[108 + sizeof r * i], &r, sizeof r);
  } else if (std::strcmp(ext, "MDA") == 0) {
    bytes.resize(kMdaFileSize);
    AthleteRecord r;
    BlankAthleteRecord(r);
    for (int32_t i = 0; i < 3120; ++i) std::memcpy(&bytes[108 + sizeof r * i], &r, sizeof r);
  } else {
    bytes.resize(kStfFileSize);  // 1,920 zero values
  }
  std::memcpy(bytes.data(), &h, sizeof h);
  return bytes;
}

}  // namespace

int32_t CreateBlankDataFiles(const EventState& state) {
  PrepareBlankFileHeader();
  if (!ForceFolder(state.settings.veranstDir)) return 0;
  for (const char* ext : {"SDA", "MDA", "STF"}) {
    std::string path = DataFilePath(state, ext);
    if (kel::platform().pathExists(path)) continue;  // existing files are kept
    const std::vector<uint8_t> image = BlankFileImage(ext);
    if (!kel::WriteWholeFile(path, image.data(), image.size())) return 0;
  }
  return 1;
}
