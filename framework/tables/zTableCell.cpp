#include "framework/tables/zTableCell.h"

#include <string>

#include "framework/core/zFormatter.h"
#include "framework/tables/zTableModel.h"
#include "framework/tables/ziTableEnv.h"

zTableCell::zTableCell(zTableModel* owner, const ziTablePos& at) : model(owner), position(at)
{
    if (model)
        model->setCell(position, this);
}

zTableCell::~zTableCell()
{
    if (!(flags & Detached) && model)
        model->setCell(position, nullptr);
}

void zTableCell::draw(const zRect&, zDisplay*, ziTableEnv*) {}

const char* zTableCell::text() const { return ""; }

void zTableCell::setText(const char*)
{
    if (model)
        model->cellChanged(position);
}

zTableTextCell::zTableTextCell(zTableModel* owner, const char* text, const ziTablePos& at)
    : zTableCell(owner, at), text_(text ? text : "")
{
}

void zTableTextCell::setText(const char* text)
{
    if (model)
        model->cellChanged(position);
    text_ = text ? text : "";
}

void zTableTextCell::draw(const zRect& rect, zDisplay* display, ziTableEnv* env)
{
    if (display && env)
        drawText(text_.c_str(), rect, display, env);
}

zTableFmtCellBase::zTableFmtCellBase(zTableModel* owner, const char* text, const ziTablePos& at)
    : zTableTextCell(owner, nullptr, at)
{
    if (text)
        setText(text);
}

void zTableFmtCellBase::setText(const char* text)
{
    if (model)
        model->cellChanged(position);
    raw_ = text ? text : "";
    zFormatter* formatter = nullptr;
    if (flags & Formatted) {
        ziTableEnv env(model);
        env.collect(position);
        zTableAttr* attr = env.slot((flags & Number) ? zTableAttr::NumberFormat : zTableAttr::TextFormat);
        if (attr)
            formatter = static_cast<zTableFormatAttr*>(attr)->formatter;
    }
    if (formatter && text && *text) {
        std::string shaped = text;
        formatter->format(shaped, 0);
        text_ = shaped.c_str();
    } else {
        text_ = text ? text : "";
    }
}

zTableFmtTextCell::zTableFmtTextCell(zTableModel* owner, const char* text, const ziTablePos& at)
    : zTableFmtCellBase(owner, at)
{
    flags = Made | Formatted;
    if (text)
        setText(text);
}

zTableFmtNumCell::zTableFmtNumCell(zTableModel* owner, const char* text, const ziTablePos& at)
    : zTableFmtCellBase(owner, at)
{
    flags = Made | Formatted | Number;
    if (text)
        setText(text);
}
