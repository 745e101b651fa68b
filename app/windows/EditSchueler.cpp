#include "app/windows/EditSchueler.h"

#include <cstring>

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/windows/AlphaEdit.h"
#include "app/windows/BoundEdit.h"
#include "app/windows/DisziEdit.h"
#include "app/windows/DisziFlagTable.h"
#include "app/windows/TablePaneScroller.h"
#include "framework/core/zMenu.h"
#include "framework/core/zResId.h"

namespace {

const ClassRecord* classRecord(const EventState& state, int32_t c)
{
    if (!state.eventDef || c < 0 || c >= kMaxClasses || c >= state.eventDef->classCount)
        return nullptr;
    return &state.eventDef->classes[c];
}

const DisciplineRecord* disciplineRecord(const EventState& state, int32_t c, int32_t k)
{
    if (!classRecord(state, c) || k < 0 || k >= kMaxDisciplines)
        return nullptr;
    return &state.eventDef->disciplines[c][k];
}

// Whether a performance text is the one the value is shown as.
bool ShowsValue(const char* text, int32_t value, const DisciplineRecord& d)
{
    const std::string shown = EditSchueler::FormatPerformance(value, d);
    return std::strncmp(text, shown.c_str(), DisziFlagTable::TextSize) == 0;
}

}  // namespace

EditSchueler::EditSchueler(zWindow* parent, zSizer* sizer, EventState& state, int32_t columns, int32_t rows,
                           int32_t classIndex)
    : NotifyTable(parent, sizer, columns, rows, classIndex), state_(state), classIndex_(classIndex)
{
    addNotify(this, zProc(&EditSchueler::keyHandler), WM_KEYDOWN);
    addNotify(this, zProc(&EditSchueler::keyHandler), WM_SYSKEYDOWN);
    setFixedColumns(3);
    setContextMenu(ContextMenuId);

    static const char* const titles[3] = {"Name, Vorname", "JG", "Klasse"};
    static const int32_t widths[3] = {220, 28, 50};
    for (int32_t c = 0; c < 3 && c < columnCount_; ++c) {
        setColumnTitle(c, titles[c]);
        columnWidths_[c] = widths[c];
    }
    for (int32_t k = 0; k + 3 < columnCount_; ++k) {
        const DisciplineRecord* d = disciplineRecord(state_, classIndex, k);
        const std::string shortName = d ? FieldText(d->shortName) : std::string();
        setColumnTitle(3 + k, shortName.c_str());
        columnWidths_[3 + k] = shortName.empty() ? 150 : 10 * int32_t(shortName.size()) + 10;
    }
    setRowNumberBase(0);

    name_ = new AlphaEdit(this, NameLength, AlphaEdit::NameSet);
    schoolClass_ = new AlphaEdit(this, ClassLength, AlphaEdit::ClassSet);
    birthYear_ = new BoundEdit(this, 2, BoundEdit::NoBound, BoundEdit::NoBound);
    setEditor(name_, 0);
    setEditor(birthYear_, 1);
    setEditor(schoolClass_, 2);
    for (int32_t k = 0; k + 3 < columnCount_ && k < kMaxDisciplines; ++k)
        setEditor(new DisziEdit(this, classIndex), 3 + k);
    setBirthYearRange(classIndex);

    if (auto* s = static_cast<TablePaneScroller*>(scroller()))
        s->setRanges(columnCount_ - 4, rowCount_ - 1);
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, FALSE);
}

void EditSchueler::setBirthYearRange(int32_t classIndex)
{
    classIndex_ = classIndex;
    const ClassRecord* cr = classRecord(state_, classIndex);
    if (!cr || !birthYear_)
        return;
    // Whether a bound is "none" is decided by the event file's value, before
    // the season roll-over moved the class record's years.
    const int32_t lower = state_.classBounds[classIndex][0] == BoundEdit::NoBound ? BoundEdit::NoBound
                                                                            : int32_t(cr->oldestYear);
    const int32_t upper = state_.classBounds[classIndex][1] == BoundEdit::NoBound ? BoundEdit::NoBound
                                                                            : int32_t(cr->youngestYear);
    birthYear_->setRange(lower, upper);
}

void EditSchueler::endEdit() { commitEditor(); }

int32_t EditSchueler::athletesPerTeam() const
{
    const ClassRecord* cr = classRecord(state_, classIndex_);
    int32_t n = cr ? int32_t(cr->athletesPerTeam) : 0;
    if (n > kMaxAthletes)
        n = kMaxAthletes;
    return n < rowCount_ ? n : rowCount_;
}

int32_t EditSchueler::disciplineCount() const
{
    int32_t n = columnCount_ - 3;
    if (n > kMaxDisciplines)
        n = kMaxDisciplines;
    return n < 0 ? 0 : n;
}

bool EditSchueler::IsRelay(const DisciplineRecord& d) { return d.type == 4 || d.type == 10; }

std::string EditSchueler::FormatPerformance(int32_t value, const DisciplineRecord& d)
{
    std::string mask;
    if (IsRelay(d)) {
        mask = "9";
    } else {
        for (char ch : FieldText(d.mask))
            if (ch != '\'')
                mask += ch;
    }
    if (mask.size() > DisziFlagTable::TextSize - 1)
        mask.resize(DisziFlagTable::TextSize - 1);
    const std::string digits = std::to_string(value < 0 ? 0 : value);
    size_t next = digits.size();
    std::string out(mask.size(), '0');
    for (size_t i = mask.size(); i-- > 0;) {
        if (mask[i] == '9')
            out[i] = next > 0 ? digits[--next] : '0';
        else
            out[i] = mask[i];
    }
    return out;
}

int32_t EditSchueler::ParsePerformance(const char* text)
{
    if (!text)
        return 0;
    int64_t v = 0;
    bool any = false;
    for (const char* p = text; *p; ++p) {
        if (*p == ',' || *p == ':')
            continue;
        if (*p < '0' || *p > '9')
            break;
        any = true;
        v = v * 10 + (*p - '0');
        if (v > INT32_MAX)
            return INT32_MAX;
    }
    return any ? static_cast<int32_t>(v) : 0;
}

void EditSchueler::loadTable(int32_t team)
{
    commitEditor();
    // No cell may keep pointing into the records of the team shown before:
    // what is typed would land in the wrong team.
    for (int32_t r = 0; r < rowCount_; ++r)
        for (int32_t c = 0; c < columnCount_; ++c)
            setCellText(r + 1, c + 1, nullptr, 0);
    loadedTeam_ = -1;
    if (!state_.memory || !state_.memory->loadTeamAthletes(classIndex_, team)) {
        if (hwnd_)
            InvalidateRect(hwnd_, nullptr, FALSE);
        return;
    }
    loadedTeam_ = team;
    const int32_t rows = athletesPerTeam();
    for (int32_t m = 0; m < rows; ++m) {
        AthleteRecord* a = state_.memory->getAthlete(classIndex_, team, m);
        if (!a)
            continue;
        loaded_[m] = *a;
        showField(m, 0, a->name);
        showField(m, 1, a->JG);
        showField(m, 2, a->schoolClass);
        if (uint8_t* f = gDisziFlags.flagsOf(classIndex_, m))
            *f = a->mask;
        for (int32_t k = 0; k < disciplineCount(); ++k) {
            char* buffer = gDisziFlags.texts[classIndex_][m][k];
            const DisciplineRecord* d = disciplineRecord(state_, classIndex_, k);
            const std::string text = d ? FormatPerformance(a->Leistung[k], *d) : std::string();
            SetFieldText(gDisziFlags.texts[classIndex_][m][k], text);
            setCellText(m + 1, 4 + k, buffer, 0, DisziFlagTable::TextSize);
        }
    }
    setBirthYearRange(classIndex_);
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, FALSE);
}

template <size_t N>
void EditSchueler::showField(int32_t m, int32_t column, char (&field)[N])
{
    // Fields read from a file may lack their terminator; the record keeps
    // its bytes, the cell shows them cut to the field's width - 1.
    if (FieldLength(field) < N)
        setCellText(m + 1, column + 1, field, 0, N);
    else
        setCellText(m + 1, column + 1, std::string(field, N - 1).c_str(), 1);
}

template <size_t N>
void EditSchueler::storeField(int32_t m, int32_t column, char (&field)[N])
{
    const char* text = cellText(m, column);
    if (!text || text == field)
        return;
    if (std::strlen(text) != N - 1 || std::memcmp(text, field, N - 1) != 0)
        SetFieldText(field, text);
}

bool EditSchueler::rowEdited(int32_t m, const AthleteRecord& a) const
{
    const AthleteRecord& was = loaded_[m];
    if (std::memcmp(a.name, was.name, sizeof a.name) != 0 || std::memcmp(a.JG, was.JG, sizeof a.JG) != 0 ||
        std::memcmp(a.schoolClass, was.schoolClass, sizeof a.schoolClass) != 0)
        return true;
    const uint8_t* f = gDisziFlags.flagsOf(classIndex_, m);
    if (f && *f != was.mask)
        return true;
    for (int32_t k = 0; k < disciplineCount(); ++k) {
        const DisciplineRecord* d = disciplineRecord(state_, classIndex_, k);
        if (d && !ShowsValue(gDisziFlags.texts[classIndex_][m][k], was.Leistung[k], *d))
            return true;
    }
    return false;
}

void EditSchueler::storeTable()
{
    commitEditor();
    const int32_t team = loadedTeam_;
    if (!state_.memory || team < 0 || classIndex_ < 0 || classIndex_ >= DisziFlagTable::Classes)
        return;
    const int32_t rows = athletesPerTeam();
    const int32_t disciplines = disciplineCount();
    for (int32_t m = 0; m < rows; ++m) {
        AthleteRecord* a = state_.memory->getAthlete(classIndex_, team, m);
        uint8_t* f = gDisziFlags.flagsOf(classIndex_, m);
        if (!a || !f)
            continue;
        storeField(m, 0, a->name);
        storeField(m, 1, a->JG);
        storeField(m, 2, a->schoolClass);
        if (a->name[0] == 0) {
            // A place that was empty and that nobody touched keeps what the
            // file holds there.
            if (!rowEdited(m, *a))
                continue;
            a->JG[0] = 0;
            a->schoolClass[0] = 0;
            a->mask = 0;
            *f = 0;
            for (int32_t k = 0; k < kMaxDisciplines; ++k)
                a->Leistung[k] = 0;
            continue;
        }
        a->mask = *f;
        // A performance whose text is still the one its value shows was not
        // edited: the value stays, also where the mask cannot show it.
        const auto& texts = gDisziFlags.texts[classIndex_][m];
        for (int32_t k = 0; k < disciplines; ++k) {
            const DisciplineRecord* d = disciplineRecord(state_, classIndex_, k);
            const char* text = texts[k];
            if (d && ShowsValue(text, a->Leistung[k], *d))
                continue;
            a->Leistung[k] = ParsePerformance(text);
        }
    }
    // A ticked relay runner without a position gets the lowest one of 1-8
    // that no named runner of the team holds.
    for (int32_t k = 0; k < disciplines; ++k) {
        const DisciplineRecord* d = disciplineRecord(state_, classIndex_, k);
        if (!d || !IsRelay(*d))
            continue;
        for (int32_t m = 0; m < rows; ++m) {
            AthleteRecord* a = state_.memory->getAthlete(classIndex_, team, m);
            if (!a || a->name[0] == 0 || a->Leistung[k] != 0 || !gDisziFlags.isSet(classIndex_, m, k))
                continue;
            bool taken[11] = {};
            for (int32_t o = 0; o < rows; ++o) {
                const AthleteRecord* b = state_.memory->getAthlete(classIndex_, team, o);
                if (!b || o == m || b->name[0] == 0 || !gDisziFlags.isSet(classIndex_, o, k))
                    continue;
                const int32_t p = b->Leistung[k];
                if (p >= 1 && p <= 10)
                    taken[p] = true;
            }
            for (int32_t p = 1; p <= 8; ++p) {
                if (!taken[p]) {
                    a->Leistung[k] = p;
                    SetFieldText(gDisziFlags.texts[classIndex_][m][k], FormatPerformance(p, *d));
                    break;
                }
            }
        }
    }
}

int EditSchueler::sizeSizer(zEvent* ev)
{
    const int r = NotifyTable::sizeSizer(ev);
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, FALSE);
    return r;
}

int EditSchueler::command(zEvent* ev)
{
    if (int r = NotifyTable::command(ev))
        return r;
    return parent() ? parent()->command(ev) : 0;
}

void EditSchueler::openMenu(POINT at)
{
    zPopupMenu menu(at, this, zResId(ContextMenuId));
    menu.track();
}

int EditSchueler::mouseButtonUp(zEvent* ev)
{
    if (ev->message == WM_RBUTTONUP) {
        openMenu(POINT{static_cast<int16_t>(LOWORD(ev->lParam)), static_cast<int16_t>(HIWORD(ev->lParam))});
        return 1;
    }
    return NotifyTable::mouseButtonUp(ev);
}

int32_t EditSchueler::keyHandler(zEvent* ev)
{
    const int32_t scan = int32_t((ev->lParam >> 16) & 0xFF);
    if (scan == 68 && (ev->lParam & (1 << 29))) {
        openMenu(POINT{200, 100});
        return 1;
    }
    return 0;
}
