#pragma once
// The grid of one team's athletes in the entry window of a competition
// class: one row per athlete place, the columns "Name, Vorname", "JG" and
// "Klasse" and one column per discipline of the class. Name, birth-year and
// class cells point straight into the athlete records of the entry store,
// so a committed editor changes the record at once; the discipline cells
// point into the discipline-flag table's texts.
#include <string>

#include "app/core/AthleteRecord.h"
#include "app/core/EventDefinition.h"
#include "app/windows/NotifyTable.h"

struct EventState;

class AlphaEdit;
class BoundEdit;
class DisziEdit;
struct DisciplineRecord;

class EditSchueler : public NotifyTable {
public:
    static constexpr int32_t NameLength = 25;
    static constexpr int32_t ClassLength = 5;
    // The menu the right button and Alt+F10 open.
    static constexpr int32_t ContextMenuId = 1;

    // Columns: the class's discipline count + 3; rows: its athletes per team.
    EditSchueler(zWindow* parent, zSizer* sizer, EventState& state, int32_t columns, int32_t rows,
                 int32_t classIndex);

    // The class and the birth-year editor's range from the class's bounds.
    void setBirthYearRange(int32_t classIndex);
    // Commits an open editor into its cell.
    void endEdit();
    // Points the rows at the athlete records of a team and formats its
    // performances into the discipline texts.
    void loadTable(int32_t team);
    // Writes flags and performances of the rows back into the records of
    // the team last loaded (an open editor is committed first). A value the
    // user did not change stays in the record exactly as it was read, even
    // one the grid cannot show as it is (a performance wider than its mask,
    // a negative one, a text field without its terminator).
    void storeTable();

    int32_t classIndex() const { return classIndex_; }
    int32_t loadedTeam() const { return loadedTeam_; }
    BoundEdit* birthYearEditor() const { return birthYear_; }

    int sizeSizer(zEvent* ev) override;
    int command(zEvent* ev) override;
    int mouseButtonUp(zEvent* ev) override;

    // The text of a performance under a discipline's input mask ("99','99"
    // and 1234 give "12,34"); relays show the position with the mask "9".
    static std::string FormatPerformance(int32_t value, const DisciplineRecord& discipline);
    // The value of a performance text: "," and ":" dropped, read as a decimal.
    static int32_t ParsePerformance(const char* text);
    static bool IsRelay(const DisciplineRecord& discipline);

private:
    int32_t keyHandler(zEvent* ev);
    void openMenu(POINT at);
    int32_t athletesPerTeam() const;
    int32_t disciplineCount() const;
    // A text cell of row m: points into the record's field, or, when the
    // field lacks its terminator, holds a terminated copy of it.
    template <size_t N>
    void showField(int32_t m, int32_t column, char (&field)[N]);
    // A copied field goes back into the record only when its text changed.
    template <size_t N>
    void storeField(int32_t m, int32_t column, char (&field)[N]);
    // Whether the user changed anything in row m since the team was loaded.
    bool rowEdited(int32_t m, const AthleteRecord& a) const;

    EventState& state_;
    int32_t classIndex_;
    int32_t loadedTeam_ = -1;
    // The records of the rows as the team was loaded.
    AthleteRecord loaded_[kMaxAthletes] = {};
    AlphaEdit* name_ = nullptr;
    AlphaEdit* schoolClass_ = nullptr;
    BoundEdit* birthYear_ = nullptr;
};
