// AcCmColor: an entity's or a layer's colour, as an index of the host's 256-colour palette
// (0 BYBLOCK, 256 BYLAYER).
#pragma once
#include "acadstrc.h"
#include "adesk.h"

class ACAD_PORT AcCmColor {
public:
    enum ColorMethod {
        kByLayer = 0xC0,
        kByBlock = 0xC1,
        kByColor = 0xC2,
        kByACI = 0xC3,
        kByPen = 0xC4,
        kForeground = 0xC5,
        kLayerOff = 0xC6,
        kLayerFrozen = 0xC7,
        kNone = 0xC8,
    };
    enum { kACIbyBlock = 0, kACIforeground = 7, kACIbyLayer = 256 };

    AcCmColor() = default;

    ColorMethod colorMethod() const;
    Acad::ErrorStatus setColorMethod(ColorMethod method);
    bool isByLayer() const { return mIndex == kACIbyLayer; }
    bool isByBlock() const { return mIndex == kACIbyBlock; }
    bool isByACI() const { return mIndex > 0 && mIndex < 256; }
    bool isByColor() const { return false; }
    bool isForeground() const { return mIndex == kACIforeground; }
    Acad::ErrorStatus setByLayer()
    {
        mIndex = kACIbyLayer;
        return Acad::eOk;
    }
    Acad::ErrorStatus setByBlock()
    {
        mIndex = kACIbyBlock;
        return Acad::eOk;
    }

    Adesk::UInt16 colorIndex() const { return mIndex; }
    // 0 to 256; other values give eInvalidInput and change nothing.
    Acad::ErrorStatus setColorIndex(Adesk::UInt16 index);

    bool operator==(const AcCmColor& other) const { return mIndex == other.mIndex; }
    bool operator!=(const AcCmColor& other) const { return mIndex != other.mIndex; }

private:
    Adesk::UInt16 mIndex = kACIbyLayer;
};
