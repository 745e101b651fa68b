#pragma once
// One teacher's job on the sample event, as the end-to-end tests play it:
// class "II Jungen", its first team with these school fields, three athletes
// with their disciplines. What the data files and the entry file hold after
// it, byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/app/windows/ProgramRun.h"

namespace kel::test::job {

constexpr int32_t kClass = 1;  // "II Jungen": no birth-year bounds, seven disciplines
constexpr const char* kClassName = "II Jungen";

// The team dialog's fields in the order of its edits.
inline const char* const kTeamFields[] = {"GOETHE-GYMNASIUM", "Goethe I", "Goethe", "FR", "KN", "Hauptstraße 1",
                                           "78462 Konstanz", "sport@goethe.example", "Frau Müller", "07531 1234",
                                           "07531 5678"};

struct Athlete {
    const char* name;
    const char* jg;
    const char* klasse;
    uint8_t mask;
};
inline const Athlete kAthletes[] = {
    {"Meier, Anna", "96", "7a", 0x01},  // 100m
    {"Groß, Jörg", "97", "8b", 0x11},   // 100m, Weit
    {"Weiß, Tim", "96", "7c", 0x10},    // Weit
};

// Types one athlete into the grid row: name, birth year, school class, then
// a "+" in each discipline column of `disciplines` (Enter passes one). Each
// key waits until the program has taken the one before.
inline void TypeAthlete(const ProgramRun& run, int32_t row, const std::string& name, const std::string& jg,
                        const std::string& klasse, uint8_t disciplines)
{
    auto key = [&](WORD vk) {
        PressKey(vk);
        run.idle();
    };
    auto text = [&](const std::string& t) {
        for (char c : t) {
            TypeText(std::string(1, c));
            run.idle();
        }
    };
    key(VK_HOME);
    for (int32_t i = 0; i < row; ++i)
        key(VK_DOWN);
    for (const std::string& cell : {name, jg, klasse}) {
        text(cell);
        key(VK_RETURN);
    }
    // "+" ticks the discipline and moves on by itself.
    for (int k = 0; k < 7; ++k) {
        if (disciplines & (1 << k))
            text("+");
        else
            key(VK_RETURN);
    }
}

inline void TypeAthlete(const ProgramRun& run, int32_t row, const Athlete& a)
{
    TypeAthlete(run, row, a.name, a.jg, a.klasse, a.mask);
}

// Offsets of the records in the data files, behind their 108-byte header.
constexpr size_t TeamOffset(int32_t c, int32_t t) { return 108 + 18000 * size_t(c) + 900 * size_t(t); }
constexpr size_t AthleteOffset(int32_t c, int32_t t, int32_t m)
{
    return 108 + 34840 * size_t(c) + 1742 * size_t(t) + 134 * size_t(m);
}

inline void PutText(std::vector<uint8_t>& bytes, size_t at, size_t width, const std::string& text)
{
    ASSERT_LT(text.size(), width);
    std::memset(&bytes[at], 0, width);
    std::memcpy(&bytes[at], text.data(), text.size());
}
inline void PutInt(std::vector<uint8_t>& bytes, size_t at, int32_t v) { std::memcpy(&bytes[at], &v, 4); }

// The team file after the job: the blank file the first start wrote with
// the team put in.
inline std::vector<uint8_t> ExpectedTeams(std::vector<uint8_t> sda)
{
    const size_t t = TeamOffset(kClass, 0);
    const struct {
        size_t at, width;
        const char* text;
    } fields[] = {{0, 42, "GOETHE-GYMNASIUM"}, {42, 32, "Goethe I"},        {74, 16, "Goethe"},
                  {90, 36, "Hauptstraße 1"},   {126, 34, "78462 Konstanz"}, {160, 4, "FR"},
                  {164, 4, "KN"},              {172, 60, "sport@goethe.example"},
                  {232, 60, "Frau Müller"},    {292, 30, "07531 1234"},     {322, 30, "07531 5678"}};
    for (const auto& f : fields)
        PutText(sda, t + f.at, f.width, f.text);
    // A new team keeps number 0; its athletes are places 1 to 13.
    PutInt(sda, t + 356, 0);
    PutInt(sda, t + 360, 1);
    PutInt(sda, t + 364, 13);
    return sda;
}

// The athlete file after the job, from the blank one.
inline std::vector<uint8_t> ExpectedAthletes(std::vector<uint8_t> mda)
{
    for (int32_t m = 0; m < 3; ++m) {
        const size_t a = AthleteOffset(kClass, 0, m);
        PutText(mda, a + 0, 26, kAthletes[m].name);
        PutText(mda, a + 26, 3, kAthletes[m].jg);
        PutText(mda, a + 29, 7, kAthletes[m].klasse);
        mda[a + 44] = kAthletes[m].mask;
    }
    // Saving the team numbers its athletes and gives them its number.
    for (int32_t m = 0; m < 13; ++m) {
        const size_t a = AthleteOffset(kClass, 0, m);
        PutInt(mda, a + 36, m + 1);
        PutInt(mda, a + 40, 0);
    }
    return mda;
}

// The first byte where two files differ, for a short failure message.
inline std::string FirstDifference(const std::vector<uint8_t>& got, const std::vector<uint8_t>& want)
{
    if (got.size() != want.size())
        return "Größe " + std::to_string(got.size()) + " statt " + std::to_string(want.size());
    for (size_t i = 0; i < got.size(); ++i)
        if (got[i] != want[i])
            return "erster Unterschied bei Byte " + std::to_string(i);
    return {};
}

// A file beside the end-to-end tests' sources.
inline std::string SourcePath(const std::string& name)
{
    std::string p = std::string(KEL_END_TO_END_DIR) + "/" + name;
    for (char& ch : p)
        if (ch == '/')
            ch = '\\';
    return p[0] == '\\' ? "Z:" + p : p;
}

// The entry file the job writes: the expected file with the installation id
// the first start wrote into the settings in place of "$VID".
inline std::string ExpectedEntryFile(const ProgramRun& run)
{
    const auto fixture = ReadBytes(SourcePath("GOETHE-GYMNASIUM.VOV"));
    std::string expected(fixture.begin(), fixture.end());
    // The running program rewrites its settings file whole when it stores
    // the entry file's folder and name, so a read can meet the file while it
    // is being written: read until the id is there whole.
    char vid[64] = {};
    ProgramRun::waitFor([&] {
        GetPrivateProfileStringA("Veranstaltung", "VID", "", vid, sizeof vid, run.path("kelvora.ini").c_str());
        return std::strlen(vid) == 38;
    });
    EXPECT_EQ(std::strlen(vid), 38u) << vid;
    const size_t at = expected.find("$VID");
    EXPECT_NE(at, std::string::npos);
    if (at != std::string::npos)
        expected.replace(at, 4, vid);
    return expected;
}

// The PDF files of the team's printouts in the print queue's folder (the
// queue names them after the document titles, which end in the list name).
inline int PrintedCount(const std::string& folder, const char* pattern = "*II_Jungen_Goethe_I*.pdf")
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int n = 0;
    do
        ++n;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return n;
}

}  // namespace kel::test::job
