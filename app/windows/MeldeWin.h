#pragma once
// The entry window of one competition class: a tool bar, the athlete grid
// of the current team and the strip of the class's school tabs. It stores
// the grid into the athlete records and writes the class to the data files
// on saving, on a tab change, on deactivation and on closing.
#include "framework/core/zMDIChildFrame.h"

struct EventState;
class EditSchueler;
class MeldeToolbar;
class NotebookPane;

class MeldeWin : public zMDIChildFrame {
public:
    MeldeWin(zWindow* frame, EventState& state, int32_t classIndex);
    ~MeldeWin() override;
    LRESULT defWindowProc(zEvent* ev) override;
    int close(zEvent* ev) override;
    int command(zEvent* ev) override;
    int focus(zEvent* ev) override;
    void show(int code) override;
    int mdiActivate(zEvent* ev) override;

    // mode 0 a new team, 1 the current one; relayPage 1 opens the relay times.
    void teamDialog(int32_t mode, int32_t relayPage);
    void loadTable(int32_t team);
    void storeTable();
    // Writes the athletes of every team that has a tab; false when a write failed.
    bool writeClass();
    void presetModus4(int32_t team);

    int32_t classIndex() const { return class_; }
    int32_t currentTeam() const { return current_; }
    int32_t storeFlag() const { return store_; }
    EditSchueler* grid() const { return grid_; }
    NotebookPane* tabs() const { return tabs_; }
    MeldeToolbar* toolbar() const { return toolbar_; }

private:
    void deleteAthlete();
    void deleteTeam();
    void checkClass();
    void toggleMovement();
    // Stores the grid while the store flag allows it and writes the class.
    void saveAll();

    EventState& state_;
    MeldeToolbar* toolbar_ = nullptr;
    NotebookPane* tabs_ = nullptr;
    EditSchueler* grid_ = nullptr;
    int32_t class_;
    int32_t current_ = -1;
    int32_t store_ = 1;
    int32_t relay_ = -1;
    int32_t shown_ = 0;
};
