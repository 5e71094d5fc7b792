#include "svg_document.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace arx::host {

namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

std::string svgNumber(double value)
{
    if (!std::isfinite(value)) return "0";
    if (std::fabs(value) < 1e-12) value = 0;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, std::fabs(value) < 1e15 ? "%.10g" : "%.0f", value);
    return buffer;
}

std::string xmlEscape(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += c;
        }
    }
    return out;
}

// Colours 1 to 9 are the host's named colours (7, white on screen, plots black on paper);
// 10 to 249 run round the colour wheel in 24 hues of 10 shades (even shades full, odd ones
// pale, darker towards the end of each ten); 250 to 255 are greys.
std::string aciColor(int colorIndex)
{
    static const char* const kNamed[10] = {"#000000", "#ff0000", "#ffff00", "#00ff00", "#00ffff",
                                           "#0000ff", "#ff00ff", "#000000", "#808080", "#c0c0c0"};
    if (colorIndex >= 1 && colorIndex <= 9) return kNamed[colorIndex];
    double r = 0, g = 0, b = 0;
    if (colorIndex >= 250 && colorIndex <= 255) {
        r = g = b = 0.2 + 0.16 * (colorIndex - 250);
    } else if (colorIndex >= 10 && colorIndex <= 249) {
        const double hue = (colorIndex - 10) / 10 * 15.0;
        const int shade = colorIndex % 10;
        const double value = 1.0 - 0.15 * (shade / 2);
        const double paleness = (shade % 2 == 1) ? 0.5 : 0.0;
        const double h = hue / 60.0;
        const double x = 1.0 - std::fabs(std::fmod(h, 2.0) - 1.0);
        const int sector = static_cast<int>(h) % 6;
        const double rgb[6][3] = {{1, x, 0}, {x, 1, 0}, {0, 1, x}, {0, x, 1}, {x, 0, 1}, {1, 0, x}};
        r = value * (paleness + (1 - paleness) * rgb[sector][0]);
        g = value * (paleness + (1 - paleness) * rgb[sector][1]);
        b = value * (paleness + (1 - paleness) * rgb[sector][2]);
    }
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", static_cast<int>(std::lround(r * 255)),
                  static_cast<int>(std::lround(g * 255)), static_cast<int>(std::lround(b * 255)));
    return buffer;
}

SvgDocument::SvgDocument(const AcGePoint2d& lowerLeft, const AcGePoint2d& upperRight)
    : mLeft(std::min(lowerLeft.x, upperRight.x)), mTop(std::max(lowerLeft.y, upperRight.y)),
      mWidth(std::fabs(upperRight.x - lowerLeft.x)), mHeight(std::fabs(upperRight.y - lowerLeft.y))
{
    if (!(mWidth > 0) || !std::isfinite(mWidth)) mWidth = 1;
    if (!(mHeight > 0) || !std::isfinite(mHeight)) mHeight = 1;
    mStroke = std::max(mWidth, mHeight) / 1000.0;
}

std::string SvgDocument::point(const AcGePoint2d& p) const
{
    return svgNumber(p.x - mLeft) + "," + svgNumber(mTop - p.y);
}

void SvgDocument::addSheet(const AcGePoint2d& lowerLeft, const AcGePoint2d& upperRight)
{
    const std::vector<AcGePoint2d> corners = {lowerLeft, AcGePoint2d(upperRight.x, lowerLeft.y), upperRight,
                                              AcGePoint2d(lowerLeft.x, upperRight.y)};
    mBody += "<path class=\"sheet\" d=\"" + pathData(corners, true) +
             "\" fill=\"#ffffff\" stroke=\"#000000\" stroke-width=\"" + svgNumber(mStroke) + "\"/>\n";
}

std::string SvgDocument::addClipPath(const std::vector<std::vector<AcGePoint2d>>& outlines)
{
    const std::string id = "clip" + std::to_string(++mClips);
    std::string d;
    for (const auto& outline : outlines) {
        if (outline.size() < 3) continue;
        if (!d.empty()) d += ' ';
        d += pathData(outline, true);
    }
    mDefs += "<clipPath id=\"" + id + "\"><path d=\"" + (d.empty() ? "M0,0Z" : d) + "\"/></clipPath>\n";
    return id;
}

void SvgDocument::beginGroup(const std::string& clipId)
{
    ++mDepth;
    mBody += clipId.empty() ? "<g>\n" : "<g clip-path=\"url(#" + clipId + ")\">\n";
}

void SvgDocument::endGroup()
{
    if (mDepth == 0) return;
    --mDepth;
    mBody += "</g>\n";
}

void SvgDocument::addPath(const std::vector<AcGePoint2d>& points, bool closed, bool filled, const std::string& color)
{
    if (points.empty()) return;
    mBody += "<path d=\"" + pathData(points, closed) + "\" fill=\"" + (filled ? color : std::string("none")) +
             "\" stroke=\"" + color + "\" stroke-width=\"" + svgNumber(mStroke) + "\"/>\n";
}

void SvgDocument::addText(const AcGePoint2d& position, const AcGePoint2d& direction, double height, double widthFactor,
                          const std::string& utf8, const std::string& color)
{
    if (utf8.empty() || !(height > 0)) return;
    // SVG turns clockwise with Y down: the sheet's counterclockwise angle is negated.
    const double degrees = -std::atan2(direction.y, direction.x) * 180.0 / kPi;
    mBody += "<text transform=\"translate(" + point(position) + ") rotate(" + svgNumber(degrees) + ") scale(" +
             svgNumber(widthFactor > 0 ? widthFactor : 1.0) + ",1)\" font-family=\"sans-serif\" font-size=\"" +
             svgNumber(height) + "\" fill=\"" + color + "\">" + xmlEscape(utf8) + "</text>\n";
}

std::string SvgDocument::str() const
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" viewBox=\"0 0 " + svgNumber(mWidth) + " " +
           svgNumber(mHeight) + "\" width=\"" + svgNumber(mWidth) + "\" height=\"" + svgNumber(mHeight) + "\">\n";
    if (!mDefs.empty()) out += "<defs>\n" + mDefs + "</defs>\n";
    out += mBody;
    for (int i = 0; i < mDepth; ++i) out += "</g>\n";
    out += "</svg>\n";
    return out;
}

std::string SvgDocument::pathData(const std::vector<AcGePoint2d>& points, bool closed) const
{
    std::string d;
    for (std::size_t i = 0; i < points.size(); ++i) d += (i == 0 ? "M" : " L") + point(points[i]);
    if (closed) d += " Z";
    return d;
}

}  // namespace arx::host
