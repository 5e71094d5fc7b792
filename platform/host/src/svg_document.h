// An SVG picture of a drawing sheet, in drawing units. Callers give points with Y up (as on
// the sheet); the document turns them into SVG's Y-down coordinates within its frame.
#pragma once
#include <string>
#include <vector>

#include "gepnt2d.h"

namespace arx::host {

class SvgDocument {
public:
    // The frame shown: lower-left and upper-right corners on the sheet.
    SvgDocument(const AcGePoint2d& lowerLeft, const AcGePoint2d& upperRight);

    // A white rectangle with a thin frame (the sheet of a layout).
    void addSheet(const AcGePoint2d& lowerLeft, const AcGePoint2d& upperRight);
    // A clip region for later groups; returns its id ("clip1"...).
    std::string addClipPath(const std::vector<std::vector<AcGePoint2d>>& outlines);
    void beginGroup(const std::string& clipId);  // empty clipId: no clipping
    void endGroup();

    // Colour: a "#rrggbb" value.
    void addPath(const std::vector<AcGePoint2d>& points, bool closed, bool filled, const std::string& color);
    // Text with its baseline along `direction` (a unit vector on the sheet), glyphs `height`
    // high and stretched by widthFactor.
    void addText(const AcGePoint2d& position, const AcGePoint2d& direction, double height, double widthFactor,
                 const std::string& utf8, const std::string& color);

    std::string str() const;

private:
    std::string point(const AcGePoint2d& p) const;
    std::string pathData(const std::vector<AcGePoint2d>& points, bool closed) const;
    double mLeft;
    double mTop;
    double mWidth;
    double mHeight;
    double mStroke;
    int mClips = 0;
    int mDepth = 0;
    std::string mDefs;
    std::string mBody;
};

// The SVG colour of a host colour index (1..255; anything else draws black).
std::string aciColor(int colorIndex);
// Text with &, <, >, " and ' escaped for XML.
std::string xmlEscape(const std::string& text);
// A number as SVG writes it: up to 10 significant digits, no exponent below 1e15.
std::string svgNumber(double value);

}  // namespace arx::host
