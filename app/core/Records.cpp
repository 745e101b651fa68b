#include "app/core/AthleteRecord.h"
#include "app/core/DataFileHeader.h"
#include "app/core/TeamRecord.h"

#include <cstring>

void BlankTeamRecord(TeamRecord& r) {
  std::memset(&r, 0, sizeof r);
  r.reserved352 = -1;
  r.MNR = -1;
  r.firstAthlete = 1;
  r.lastAthlete = 13;
}

void BlankAthleteRecord(AthleteRecord& r) {
  std::memset(&r, 0, sizeof r);
  r.athleteNumber = -1;
  r.teamNumber = -1;
}

DataFileHeader& DataHeaderTemplate() {
  static DataFileHeader h = [] {
    DataFileHeader x;
    std::memset(&x, 0, sizeof x);
    x.magic = kDataFileMagic;
    x.version = 1;
    return x;
  }();
  return h;
}

void PrepareBlankFileHeader() {
  static const char kBanner[] = "\r\nQUANTELOR Meldediskette\r\nBitte nicht von Hand veraendern\r\n\r\n";
  DataFileHeader& h = DataHeaderTemplate();
  static_assert(sizeof kBanner - 1 == sizeof h.banner);
  std::memcpy(h.banner, kBanner, sizeof h.banner);
  h.magic = kDataFileMagic;
  h.version = 300;
}
