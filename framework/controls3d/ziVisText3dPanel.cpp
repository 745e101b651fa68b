#include "framework/controls3d/ziVisText3dPanel.h"

#include "framework/controls3d/ziVisualDrawing.h"

void ziVisText3dPanel::drawIn(const zRect& control)
{
    // The area inside the bevels when the face gave one.
    const zRect a = hasArea_ ? area_ : control;
    placeIn(a.left + (a.width() - textWidth()) / 2,
            a.top + styleOffset(a.height() / 2 - textHeight() / 2));
    drawText();
}
