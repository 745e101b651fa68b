// A small program that shows the entry grid as the teacher sees it: a frame
// with a tool bar of hint buttons, the athlete grid of one team and the
// school tabs below it, filled with a few athletes. tools/screenshot-grid.sh
// runs it and takes a picture of the screen. It ends by itself after the
// number of seconds given on the command line (default 20).
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "app/windows/DisziFlagTable.h"
#include "app/windows/EditSchueler.h"
#include "app/windows/InfoButton.h"
#include "app/windows/NotebookPane.h"
#include "framework/controls3d/zSlotSizer.h"
#include "framework/controls3d/zToolbar.h"
#include "framework/core/zApplication.h"
#include "framework/core/zBitmap.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zResId.h"
#include "framework/core/zSizer.h"
#include "framework/core/zTimer.h"

namespace {

void makeEvent(EventState& state)
{
    auto def = std::make_unique<EventDefinition>();
    std::memset(def.get(), 0, sizeof *def);
    def->classCount = 1;
    ClassRecord& c = def->classes[0];
    SetFieldText(c.name, "WK III Jungen");
    c.athletesPerTeam = 10;
    c.disciplineCount = 4;
    c.oldestYear = 95;
    c.youngestYear = 98;
    c.teamPlaces = 20;
    struct D {
        const char *name, *shortName, *mask;
        int32_t type;
    } ds[] = {{"75 m Lauf", "75m", "99','99", 1},
              {"Weitsprung", "Weit", "9','99", 2},
              {"Ballwurf", "Ball", "99','99", 2},
              {"4 x 75 m Staffel", "4x75", "99','99", 4}};
    for (int k = 0; k < 4; ++k) {
        DisciplineRecord& d = def->disciplines[0][k];
        SetFieldText(d.name, ds[k].name);
        SetFieldText(d.shortName, ds[k].shortName);
        SetFieldText(d.mask, ds[k].mask);
        d.type = ds[k].type;
    }
    state.classBounds[0][0] = 95;
    state.classBounds[0][1] = 98;
    state.eventDef = std::move(def);
    state.eventName = "\\GRIDDEMO.";
    state.eventLoaded = 1;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    state.settings.veranstDir = std::string(temp) + "kelvora-grid-demo";
    CreateDirectoryA(state.settings.veranstDir.c_str(), nullptr);
    DeleteFileA(DataFilePath(state, "SDA").c_str());
    DeleteFileA(DataFilePath(state, "MDA").c_str());
    DeleteFileA(DataFilePath(state, "STF").c_str());
    CreateBlankDataFiles(state);
    state.memory = std::make_unique<Memory>(state);

    const char* schools[] = {"Goethe-Gymnasium", "Schiller-Realschule", "Humboldt-Schule", "Realschule am Marktplatz"};
    for (int t = 0; t < 4; ++t)
        SetFieldText(state.memory->getTeam(0, t)->schoolName, schools[t]);
    struct A {
        const char *name, *jg, *cls;
        uint8_t mask;
        int32_t p[4];
    } as[] = {{"Müller, Jonas", "96", "7a", 0x9, {1112, 0, 0, 1}},
              {"Schäfer, Lukas", "97", "7b", 0x3, {1187, 412, 0, 0}},
              {"Weiß, Tim", "96", "8a", 0xE, {0, 398, 4150, 2}},
              {"Özdemir, Can", "95", "8c", 0x5, {1065, 0, 3825, 0}},
              {"Brandt, Felix", "98", "6a", 0xA, {0, 377, 0, 3}}};
    for (int m = 0; m < 5; ++m) {
        AthleteRecord* a = state.memory->getAthlete(0, 0, m);
        SetFieldText(a->name, as[m].name);
        SetFieldText(a->JG, as[m].jg);
        SetFieldText(a->schoolClass, as[m].cls);
        a->mask = as[m].mask;
        for (int k = 0; k < 4; ++k)
            a->Leistung[k] = as[m].p[k];
    }
}

class GridFrame : public zFrameWin {
public:
    explicit GridFrame(EventState& state) : zFrameWin(new zSizer(20, 20, 720, 400), WS_OVERLAPPEDWINDOW, "WK III Jungen: Meldungen")
    {
        create();
        bar_ = new zToolbar(this, new zGravSizer(zSizerTop, 29, sizer()), 0x200, 0);
        bar_->setSpacing(5, 0);
        struct Slot {
            int32_t slot, id, bitmap, width;
            const char* hint;
        };
        static const Slot slots[] = {{1, 13, 14, 25, "Mannschaft speichern"}, {3, 3055, 12, 10, nullptr},
                                     {5, 3062, 9, 25, "Neue Mannschaft erfassen"},
                                     {6, 104, 23, 25, "Mannschaft korrigieren"},
                                     {7, 102, 8, 25, "Staffelzeit erfassen"}, {8, 3056, 12, 10, nullptr},
                                     {10, 3061, 7, 25, "Zellensteuerung"}};
        for (const Slot& s : slots) {
            auto* b = new InfoButton(bar_, new zSlotSizer(s.slot, s.width, 25, bar_->sizer()), 0x4010, "", s.id,
                                     new zBitmap(zResId(s.bitmap)), s.hint);
            b->show(SW_SHOW);
        }
        bar_->enableCommand(3055, 0);
        bar_->enableCommand(3056, 0);
        bar_->show(SW_SHOW);
        strip_ = new NotebookPane(this, new zGravSizer(zSizerBottom, 28, sizer()));
        grid_ = new EditSchueler(this, new zGravSizer(zSizerFill, 0, sizer()), state, 7, 10, 0);
        strip_->setPartner(2, grid_);
        grid_->setTabStrip(strip_);
        const char* tabs[] = {"Goethe", "Schiller", "Humboldt", "Marktplatz"};
        for (int t = 0; t < 4; ++t)
            strip_->addTab(new zString(tabs[t]), new zString(FieldText(state.memory->getTeam(0, t)->schoolName).c_str()));
        grid_->loadTable(0);
        strip_->show(SW_SHOW);
        grid_->show(SW_SHOW);
        show(SW_SHOWNORMAL);
        RECT rc;
        GetClientRect(handle(), &rc);
        SendMessageA(handle(), WM_SIZE, 0, MAKELPARAM(rc.right, rc.bottom));
        // The teacher is typing the sixth athlete's name.
        grid_->setCurrent(0, 5);
        for (const char* p = "Krause, Nic"; *p; ++p)
            SendMessageA(grid_->handle(), WM_CHAR, static_cast<unsigned char>(*p), 1);
    }
    LRESULT defWindowProc(zEvent* ev) override
    {
        if (ev->message == kMsgTabChanged) {
            grid_->endEdit();
            grid_->storeTable();
            grid_->loadTable(grid_->currentRow());
            grid_->home();
            return 1;
        }
        return zFrameWin::defWindowProc(ev);
    }

private:
    zToolbar* bar_;
    NotebookPane* strip_;
    EditSchueler* grid_;
};

class Ender : public zEvH {
public:
    int end()
    {
        theApplication->quit();
        return 0;
    }
};

}  // namespace

void StartApplication(zApplication* app)
{
    int seconds = 20;
    if (app->cmdLine && *app->cmdLine)
        seconds = std::atoi(app->cmdLine);
    EventState state;
    makeEvent(state);
    auto* frame = new GridFrame(state);
    Ender ender;
    zTimer timer(&ender, zTask(&Ender::end), uint32_t(seconds) * 1000);
    app->run();
    delete frame;
}
