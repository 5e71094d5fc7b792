// AcGiTextStyle: a font and its layout settings, measured with the host's font metrics
// (gi/host_fonts.h).
#include <string>

#include "acgi.h"
#include "gi/host_fonts.h"
#include "gi/text_codes.h"

struct AcGiTextStyle::Data {
    std::string fontName;
    std::string bigFontName;
    std::string styleName;
    double textSize = 1.0;
    double xScale = 1.0;
    double obliqueAngle = 0.0;
    double trackingPercent = 1.0;
    bool backward = false;
    bool upsideDown = false;
    bool vertical = false;
    bool overlined = false;
    bool underlined = false;
};

namespace {
std::string textOrEmpty(const char* text) { return text == nullptr ? std::string() : std::string(text); }
}  // namespace

AcGiTextStyle::AcGiTextStyle() : mpData(new Data) {}

AcGiTextStyle::AcGiTextStyle(const char* fontName, const char* bigFontName, const double textSize, const double xScale,
                             const double obliqueAngle, const double trPercent, const Adesk::Boolean isBackward,
                             const Adesk::Boolean isUpsideDown, const Adesk::Boolean isVertical,
                             const Adesk::Boolean isOverlined, const Adesk::Boolean isUnderlined,
                             const char* pStyleName)
    : mpData(new Data{textOrEmpty(fontName), textOrEmpty(bigFontName), textOrEmpty(pStyleName), textSize, xScale,
                      obliqueAngle, trPercent, isBackward, isUpsideDown, isVertical, isOverlined, isUnderlined})
{}

AcGiTextStyle::~AcGiTextStyle() { delete mpData; }
AcGiTextStyle::AcGiTextStyle(const AcGiTextStyle& other) : mpData(new Data(*other.mpData)) {}

AcGiTextStyle& AcGiTextStyle::operator=(const AcGiTextStyle& other)
{
    if (this != &other) *mpData = *other.mpData;
    return *this;
}

int AcGiTextStyle::loadStyleRec() const
{
    int loaded = arx::gi::findHostFont(mpData->fontName) != nullptr ? 1 : 0;
    // The host has no big fonts of its own.
    return loaded;
}

void AcGiTextStyle::setTextSize(const double size) { mpData->textSize = size; }
void AcGiTextStyle::setXScale(const double xScale) { mpData->xScale = xScale; }
void AcGiTextStyle::setObliquingAngle(const double obliquingAngle) { mpData->obliqueAngle = obliquingAngle; }
void AcGiTextStyle::setTrackingPercent(const double trPercent) { mpData->trackingPercent = trPercent; }
void AcGiTextStyle::setBackward(const Adesk::Boolean isBackward) { mpData->backward = isBackward; }
void AcGiTextStyle::setUpsideDown(const Adesk::Boolean isUpsideDown) { mpData->upsideDown = isUpsideDown; }
void AcGiTextStyle::setVertical(const Adesk::Boolean isVertical) { mpData->vertical = isVertical; }
void AcGiTextStyle::setUnderlined(const Adesk::Boolean isUnderlined) { mpData->underlined = isUnderlined; }
void AcGiTextStyle::setOverlined(const Adesk::Boolean isOverlined) { mpData->overlined = isOverlined; }
void AcGiTextStyle::setFileName(const char* fontName) { mpData->fontName = textOrEmpty(fontName); }
void AcGiTextStyle::setBigFontFileName(const char* bigFontFileName)
{
    mpData->bigFontName = textOrEmpty(bigFontFileName);
}

Acad::ErrorStatus AcGiTextStyle::setStyleName(const char* styleName)
{
    mpData->styleName = textOrEmpty(styleName);
    return Acad::eOk;
}

double AcGiTextStyle::textSize() const { return mpData->textSize; }
double AcGiTextStyle::xScale() const { return mpData->xScale; }
double AcGiTextStyle::obliquingAngle() const { return mpData->obliqueAngle; }
double AcGiTextStyle::trackingPercent() const { return mpData->trackingPercent; }
Adesk::Boolean AcGiTextStyle::isBackward() const { return mpData->backward; }
Adesk::Boolean AcGiTextStyle::isUpsideDown() const { return mpData->upsideDown; }
Adesk::Boolean AcGiTextStyle::isVertical() const { return mpData->vertical; }
Adesk::Boolean AcGiTextStyle::isUnderlined() const { return mpData->underlined; }
Adesk::Boolean AcGiTextStyle::isOverlined() const { return mpData->overlined; }
const char* AcGiTextStyle::fileName() const { return mpData->fontName.c_str(); }
const char* AcGiTextStyle::bigFontFileName() const { return mpData->bigFontName.c_str(); }
const char* AcGiTextStyle::styleName() const { return mpData->styleName.c_str(); }

AcGePoint2d AcGiTextStyle::extents(const char* pStr, const Adesk::Boolean penups, const int len,
                                   const Adesk::Boolean raw, AcGiWorldDraw* /*ctxt*/) const
{
    if (pStr == nullptr) return AcGePoint2d(0.0, 0.0);
    const arx::gi::HostFont* font = arx::gi::findHostFont(mpData->fontName);
    arx::gi::TextLayout layout;
    layout.height = mpData->textSize;
    layout.widthFactor = mpData->xScale;
    layout.tracking = mpData->trackingPercent;
    layout.obliqueAngle = mpData->obliqueAngle;
    layout.vertical = mpData->vertical;
    const arx::gi::TextSize size = arx::gi::measureText(font != nullptr ? *font : arx::gi::fallbackFont(),
                                                        arx::gi::decodeText(pStr, len, raw), layout, penups);
    return AcGePoint2d(size.width, size.height);
}
