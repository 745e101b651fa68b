#pragma once
// The compound of one control: its face (a button face, bevel or frame)
// and its 3-D caption, both owned.

#include "framework/controls3d/ziCompound.h"

class ziVisText3d;

class ziControlCompound : public ziCompound {
public:
    ziControlCompound(ziCompound* parent, zSizer* sizer);
    ~ziControlCompound() override;

    virtual ziVisText3d* caption() { return caption_; }

    ziVisual* face() const { return face_; }
    void setFace(ziVisual* face) { face_ = face; }
    void setCaption(ziVisText3d* caption) { caption_ = caption; }
    // Takes face and caption as this compound's parts and children, the face
    // first.
    void addParts(ziVisual* face, ziVisText3d* caption);

private:
    ziVisual* face_ = nullptr;
    ziVisText3d* caption_ = nullptr;
};
