#include "framework/controls3d/ziControlCompound.h"

#include "framework/controls3d/ziVisText3d.h"
#include "framework/controls3d/ziVisualDrawing.h"

ziControlCompound::ziControlCompound(ziCompound* parent, zSizer* sizer) : ziCompound(parent, sizer)
{
    host_ = parent ? parent->host() : nullptr;
    if (!host_)
        host_ = ziMainFrame();
}

void ziControlCompound::addParts(ziVisual* face, ziVisText3d* caption)
{
    setFace(face);
    setCaption(caption);
    add(face);
    add(caption);
}

ziControlCompound::~ziControlCompound()
{
    // Each leaves this compound's child list as it goes, so the compound's
    // own destructor does not meet it again.
    ziVisual* face = face_;
    ziVisText3d* caption = caption_;
    face_ = nullptr;
    caption_ = nullptr;
    delete face;
    delete caption;
}
