// AcGiDrawable: what the graphics system can draw. Every database object is one; entities
// draw themselves through worldDraw and viewportDraw.
#pragma once
#include "adesk.h"
#include "rxobject.h"

class AcGiWorldDraw;
class AcGiViewportDraw;
class AcGiDrawableTraits;

class ACAD_PORT AcGiDrawable : public AcRxObject {
public:
    enum SetAttributesFlags {
        kDrawableNone = 0,
        kDrawableIsAnEntity = 1,
        kDrawableUsesNesting = 2,
        kDrawableIsCompoundObject = 4,
        kDrawableViewIndependentViewportDraw = 8,
        kDrawableIsInvisible = 16,
    };

    // Sets the traits (colour, layer, linetype...) the drawing starts with; returns the
    // SetAttributesFlags of this drawable.
    virtual Adesk::UInt32 setAttributes(AcGiDrawableTraits* traits) = 0;
    // Draws what does not depend on the viewport; false asks for viewportDraw as well.
    virtual Adesk::Boolean worldDraw(AcGiWorldDraw* wd) = 0;
    virtual void viewportDraw(AcGiViewportDraw* vd) = 0;

protected:
    AcGiDrawable() = default;
};
