#include "framework/controls3d/ziVisText3dPanel.h"

#include "framework/controls3d/ziDisplayScope.h"

void ziVisText3dPanel::draw(const zRect*)
{
    if (stripMnemonic().empty())
        return;
    zDisplay* d = display();
    if (!d)
        return;
    const zRect a = hasArea_ ? area_ : area();
    ziAcquire hold(d);
    d->backColor(ziColor(ziBtnFace()));
    placeIn(a.left + (a.width() - textWidth()) / 2,
            a.top + styleOffset(a.height() / 2 - textHeight() / 2));
    drawText();
}
