// The records of the layer, text style, linetype, view, viewport, UCS, registered
// application and dimension style tables.
#include <string>
#include <vector>

#include "dbsymtb.h"
#include "db/enum_values.h"
#include "db/item_filing.h"
#include "db/symbol_lookup.h"
#include "db/symbol_table_internal.h"

using arx::db::DxfItem;

#define ARX_DEFINE_RECORD_CLASS(CLASS, PARENT, DXFNAME)                                                                \
    ACRX_DEFINE_MEMBERS_COMMON(CLASS)                                                                                  \
    static AcRxObject* make##CLASS() { return new CLASS(); }                                                           \
    void CLASS::rxInit() { gpDesc = newAcRxClass(#CLASS, #PARENT, 0, 0, 0, make##CLASS, DXFNAME, ""); }

namespace {

AcGePoint2d point2d(const DxfItem& item) { return AcGePoint2d(item.point.x, item.point.y); }
AcGeVector3d vector3d(const DxfItem& item) { return AcGeVector3d(item.point.x, item.point.y, item.point.z); }
AcGePoint3d point3d(const DxfItem& item) { return item.point; }

Acad::ErrorStatus beginSubclass(AcDbDxfFiler* filer, const char* name)
{
    return filer->atSubclassData(name) ? Acad::eOk : Acad::eBadDxfSequence;
}

}  // namespace

// ---- Layer ---------------------------------------------------------------------------------

struct AcDbLayerTableRecord::Data {
    Adesk::UInt16 color = 7;
    bool off = false;
    AcDbObjectId linetype;
    bool plottable = true;
    AcDb::LineWeight lineWeight = AcDb::kLnWtByLwDefault;
};

ARX_DEFINE_RECORD_CLASS(AcDbLayerTableRecord, AcDbSymbolTableRecord, "LAYER")

AcDbLayerTableRecord::AcDbLayerTableRecord() : mpData(new Data) {}
AcDbLayerTableRecord::~AcDbLayerTableRecord() { delete mpData; }

bool AcDbLayerTableRecord::isFrozen() const { return (flags() & 1) != 0; }

Acad::ErrorStatus AcDbLayerTableRecord::setIsFrozen(bool frozen)
{
    setFlags(static_cast<Adesk::Int16>(frozen ? flags() | 1 : flags() & ~1));
    return Acad::eOk;
}

bool AcDbLayerTableRecord::isOff() const { return mpData->off; }

void AcDbLayerTableRecord::setIsOff(bool off)
{
    assertWriteEnabled();
    mpData->off = off;
}

bool AcDbLayerTableRecord::VPDFLT() const { return (flags() & 2) != 0; }
void AcDbLayerTableRecord::setVPDFLT(bool frozen)
{
    setFlags(static_cast<Adesk::Int16>(frozen ? flags() | 2 : flags() & ~2));
}
bool AcDbLayerTableRecord::isLocked() const { return (flags() & 4) != 0; }
void AcDbLayerTableRecord::setIsLocked(bool locked)
{
    setFlags(static_cast<Adesk::Int16>(locked ? flags() | 4 : flags() & ~4));
}

AcCmColor AcDbLayerTableRecord::color() const
{
    AcCmColor color;
    color.setColorIndex(mpData->color);
    return color;
}

void AcDbLayerTableRecord::setColor(const AcCmColor& color)
{
    assertWriteEnabled();
    // A layer's colour is a palette colour: BYLAYER and BYBLOCK do not apply.
    Adesk::UInt16 index = color.colorIndex();
    mpData->color = index >= 1 && index <= 255 ? index : 7;
}

AcDbObjectId AcDbLayerTableRecord::linetypeObjectId() const { return mpData->linetype; }

void AcDbLayerTableRecord::setLinetypeObjectId(AcDbObjectId id)
{
    assertWriteEnabled();
    mpData->linetype = id;
}

bool AcDbLayerTableRecord::isPlottable() const { return mpData->plottable; }

Acad::ErrorStatus AcDbLayerTableRecord::setIsPlottable(bool plot)
{
    assertWriteEnabled();
    mpData->plottable = plot;
    return Acad::eOk;
}

AcDb::LineWeight AcDbLayerTableRecord::lineWeight() const { return mpData->lineWeight; }

Acad::ErrorStatus AcDbLayerTableRecord::setLineWeight(AcDb::LineWeight weight)
{
    assertWriteEnabled();
    mpData->lineWeight = weight;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayerTableRecord::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeUInt16(mpData->color);
    pFiler->writeBool(mpData->off);
    pFiler->writeHardPointerId(mpData->linetype);
    pFiler->writeBool(mpData->plottable);
    pFiler->writeInt16(static_cast<Adesk::Int16>(mpData->lineWeight));
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbLayerTableRecord::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(pFiler);
    if (es != Acad::eOk) return es;
    AcDbHardPointerId linetype;
    Adesk::Int16 weight = 0;
    if (pFiler->readUInt16(&mpData->color) != Acad::eOk || pFiler->readBool(&mpData->off) != Acad::eOk ||
        pFiler->readHardPointerId(&linetype) != Acad::eOk || pFiler->readBool(&mpData->plottable) != Acad::eOk ||
        pFiler->readInt16(&weight) != Acad::eOk)
        return pFiler->filerStatus();
    mpData->linetype = linetype;
    mpData->lineWeight = arx::db::lineWeightOf(weight, mpData->lineWeight);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbLayerTableRecord::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeString(AcDb::kDxfSubclass, "AcDbLayerTableRecord");
    arx::db::writeNameAndFlags(pFiler, this);
    // A layer that is off has a negative colour.
    Adesk::Int16 color = static_cast<Adesk::Int16>(mpData->color);
    pFiler->writeInt16(AcDb::kDxfColor, mpData->off ? static_cast<Adesk::Int16>(-color) : color);
    std::string linetype = arx::db::recordName(mpData->linetype);
    pFiler->writeString(AcDb::kDxfLinetypeName, linetype.empty() ? "Continuous" : linetype.c_str());
    if (!mpData->plottable) pFiler->writeBool(static_cast<AcDb::DxfCode>(290), false);
    pFiler->writeInt16(AcDb::kDxfLineWeight, static_cast<Adesk::Int16>(mpData->lineWeight));
    arx::db::writeCarried(pFiler, carried());
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbLayerTableRecord::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(pFiler);
    if (es == Acad::eOk) es = beginSubclass(pFiler, "AcDbLayerTableRecord");
    if (es != Acad::eOk) return es;
    AcDbDatabase* db = pFiler->database();
    return arx::db::readRecordGroups(pFiler, this, carried(), [&](const DxfItem& item) {
        switch (item.code) {
        case AcDb::kDxfColor: {
            long long c = item.integer;
            mpData->off = c < 0;
            if (c < 0) c = -c;
            mpData->color = c >= 1 && c <= 255 ? static_cast<Adesk::UInt16>(c) : 7;
            return true;
        }
        case AcDb::kDxfLinetypeName:
            mpData->linetype = db ? arx::db::findRecord(db->linetypeTableId(), item.text.c_str()) : AcDbObjectId();
            if (mpData->linetype.isNull() && db) mpData->linetype = db->continuousLinetype();
            return true;
        case 290: mpData->plottable = item.integer != 0; return true;
        case AcDb::kDxfLineWeight:
            mpData->lineWeight = arx::db::lineWeightOf(item.integer, mpData->lineWeight);
            return true;
        default: return false;
        }
    });
}

// ---- Text style ----------------------------------------------------------------------------

struct AcDbTextStyleTableRecord::Data {
    double textSize = 0.0;
    double xScale = 1.0;
    double oblique = 0.0;
    Adesk::UInt8 generation = 0;
    double priorSize = 2.5;
    std::string fileName = "txt";
    std::string bigFont;
};

ARX_DEFINE_RECORD_CLASS(AcDbTextStyleTableRecord, AcDbSymbolTableRecord, "STYLE")

AcDbTextStyleTableRecord::AcDbTextStyleTableRecord() : mpData(new Data) {}
AcDbTextStyleTableRecord::~AcDbTextStyleTableRecord() { delete mpData; }

bool AcDbTextStyleTableRecord::isShapeFile() const { return (flags() & 1) != 0; }
void AcDbTextStyleTableRecord::setIsShapeFile(bool shape)
{
    setFlags(static_cast<Adesk::Int16>(shape ? flags() | 1 : flags() & ~1));
}
bool AcDbTextStyleTableRecord::isVertical() const { return (flags() & 4) != 0; }
void AcDbTextStyleTableRecord::setIsVertical(bool vertical)
{
    setFlags(static_cast<Adesk::Int16>(vertical ? flags() | 4 : flags() & ~4));
}
double AcDbTextStyleTableRecord::textSize() const { return mpData->textSize; }

Acad::ErrorStatus AcDbTextStyleTableRecord::setTextSize(double size)
{
    if (size < 0.0) return Acad::eInvalidInput;
    assertWriteEnabled();
    mpData->textSize = size;
    return Acad::eOk;
}

double AcDbTextStyleTableRecord::xScale() const { return mpData->xScale; }

Acad::ErrorStatus AcDbTextStyleTableRecord::setXScale(double xScale)
{
    if (!(xScale > 0.0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mpData->xScale = xScale;
    return Acad::eOk;
}

double AcDbTextStyleTableRecord::obliquingAngle() const { return mpData->oblique; }

Acad::ErrorStatus AcDbTextStyleTableRecord::setObliquingAngle(double angle)
{
    assertWriteEnabled();
    mpData->oblique = angle;
    return Acad::eOk;
}

Adesk::UInt8 AcDbTextStyleTableRecord::flagBits() const { return mpData->generation; }

void AcDbTextStyleTableRecord::setFlagBits(Adesk::UInt8 flags)
{
    assertWriteEnabled();
    mpData->generation = flags;
}

double AcDbTextStyleTableRecord::priorSize() const { return mpData->priorSize; }

Acad::ErrorStatus AcDbTextStyleTableRecord::setPriorSize(double size)
{
    assertWriteEnabled();
    mpData->priorSize = size;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::fileName(const char*& fileName) const
{
    fileName = mpData->fileName.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setFileName(const char* fileName)
{
    assertWriteEnabled();
    mpData->fileName = fileName ? fileName : "";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::bigFontFileName(const char*& fileName) const
{
    fileName = mpData->bigFont.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setBigFontFileName(const char* fileName)
{
    assertWriteEnabled();
    mpData->bigFont = fileName ? fileName : "";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeDouble(mpData->textSize);
    pFiler->writeDouble(mpData->xScale);
    pFiler->writeDouble(mpData->oblique);
    pFiler->writeUInt8(mpData->generation);
    pFiler->writeDouble(mpData->priorSize);
    pFiler->writeString(mpData->fileName.c_str());
    pFiler->writeString(mpData->bigFont.c_str());
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbTextStyleTableRecord::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(pFiler);
    if (es != Acad::eOk) return es;
    char* file = nullptr;
    char* big = nullptr;
    if (pFiler->readDouble(&mpData->textSize) != Acad::eOk || pFiler->readDouble(&mpData->xScale) != Acad::eOk ||
        pFiler->readDouble(&mpData->oblique) != Acad::eOk || pFiler->readUInt8(&mpData->generation) != Acad::eOk ||
        pFiler->readDouble(&mpData->priorSize) != Acad::eOk || pFiler->readString(&file) != Acad::eOk ||
        pFiler->readString(&big) != Acad::eOk) {
        delete[] file;
        delete[] big;
        return pFiler->filerStatus();
    }
    mpData->fileName = file;
    mpData->bigFont = big;
    delete[] file;
    delete[] big;
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbTextStyleTableRecord::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeString(AcDb::kDxfSubclass, "AcDbTextStyleTableRecord");
    arx::db::writeNameAndFlags(pFiler, this);
    pFiler->writeDouble(AcDb::kDxfTxtSize, mpData->textSize);
    pFiler->writeDouble(AcDb::kDxfTxtStyleXScale, mpData->xScale);
    pFiler->writeDouble(AcDb::kDxfAngle, mpData->oblique);
    pFiler->writeInt16(AcDb::kDxfTxtStyleFlags, mpData->generation);
    pFiler->writeDouble(AcDb::kDxfTxtStylePSize, mpData->priorSize);
    pFiler->writeString(AcDb::kDxfTextFontFile, mpData->fileName.c_str());
    pFiler->writeString(AcDb::kDxfTextBigFontFile, mpData->bigFont.c_str());
    arx::db::writeCarried(pFiler, carried());
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbTextStyleTableRecord::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(pFiler);
    if (es == Acad::eOk) es = beginSubclass(pFiler, "AcDbTextStyleTableRecord");
    if (es != Acad::eOk) return es;
    return arx::db::readRecordGroups(pFiler, this, carried(), [&](const DxfItem& item) {
        switch (item.code) {
        case AcDb::kDxfTxtSize: mpData->textSize = item.real; return true;
        case AcDb::kDxfTxtStyleXScale: mpData->xScale = item.real; return true;
        case AcDb::kDxfAngle: mpData->oblique = item.real; return true;
        case AcDb::kDxfTxtStyleFlags: mpData->generation = static_cast<Adesk::UInt8>(item.integer); return true;
        case AcDb::kDxfTxtStylePSize: mpData->priorSize = item.real; return true;
        case AcDb::kDxfTextFontFile: mpData->fileName = item.text; return true;
        case AcDb::kDxfTextBigFontFile: mpData->bigFont = item.text; return true;
        default: return false;
        }
    });
}

// ---- Linetype ------------------------------------------------------------------------------

struct AcDbLinetypeTableRecord::Data {
    struct Dash {
        double length = 0.0;
        Adesk::Int16 complex = 0;  // 74: 2 text, 4 shape; 1 rotation absolute
        Adesk::Int16 shapeNumber = 0;
        AcDbObjectId style;
        double scale = 1.0;
        double rotation = 0.0;
        AcGeVector2d offset;
        std::string text;
    };
    std::string comments;
    double patternLength = 0.0;
    bool scaledToFit = false;
    std::vector<Dash> dashes;

    Dash* at(int index)
    {
        return index >= 0 && index < static_cast<int>(dashes.size()) ? &dashes[static_cast<std::size_t>(index)]
                                                                     : nullptr;
    }
    const Dash* at(int index) const { return const_cast<Data*>(this)->at(index); }
};

ARX_DEFINE_RECORD_CLASS(AcDbLinetypeTableRecord, AcDbSymbolTableRecord, "LTYPE")

AcDbLinetypeTableRecord::AcDbLinetypeTableRecord() : mpData(new Data) {}
AcDbLinetypeTableRecord::~AcDbLinetypeTableRecord() { delete mpData; }

Acad::ErrorStatus AcDbLinetypeTableRecord::comments(const char*& pString) const
{
    pString = mpData->comments.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::setComments(const char* pString)
{
    assertWriteEnabled();
    mpData->comments = pString ? pString : "";
    return Acad::eOk;
}

double AcDbLinetypeTableRecord::patternLength() const { return mpData->patternLength; }

Acad::ErrorStatus AcDbLinetypeTableRecord::setPatternLength(double length)
{
    assertWriteEnabled();
    mpData->patternLength = length;
    return Acad::eOk;
}

bool AcDbLinetypeTableRecord::isScaledToFit() const { return mpData->scaledToFit; }

void AcDbLinetypeTableRecord::setIsScaledToFit(bool scaledToFit)
{
    assertWriteEnabled();
    mpData->scaledToFit = scaledToFit;
}

int AcDbLinetypeTableRecord::numDashes() const { return static_cast<int>(mpData->dashes.size()); }

void AcDbLinetypeTableRecord::setNumDashes(int count)
{
    if (count < 0) return;
    assertWriteEnabled();
    mpData->dashes.resize(static_cast<std::size_t>(count));
}

#define ARX_DASH_FIELD(GETTER, SETTER, TYPE, FIELD, FALLBACK)                                                          \
    TYPE AcDbLinetypeTableRecord::GETTER(int index) const                                                              \
    {                                                                                                                  \
        const Data::Dash* d = mpData->at(index);                                                                       \
        return d ? d->FIELD : FALLBACK;                                                                                \
    }                                                                                                                  \
    Acad::ErrorStatus AcDbLinetypeTableRecord::SETTER(int index, TYPE value)                                           \
    {                                                                                                                  \
        if (mpData->at(index) == nullptr) return Acad::eInvalidIndex;                                                  \
        assertWriteEnabled();                                                                                          \
        mpData->at(index)->FIELD = value;                                                                              \
        return Acad::eOk;                                                                                              \
    }

ARX_DASH_FIELD(dashLengthAt, setDashLengthAt, double, length, 0.0)
ARX_DASH_FIELD(shapeStyleAt, setShapeStyleAt, AcDbObjectId, style, AcDbObjectId())
ARX_DASH_FIELD(shapeNumberAt, setShapeNumberAt, int, shapeNumber, 0)
ARX_DASH_FIELD(shapeScaleAt, setShapeScaleAt, double, scale, 1.0)
ARX_DASH_FIELD(shapeRotationAt, setShapeRotationAt, double, rotation, 0.0)
#undef ARX_DASH_FIELD

AcGeVector2d AcDbLinetypeTableRecord::shapeOffsetAt(int index) const
{
    const Data::Dash* d = mpData->at(index);
    return d ? d->offset : AcGeVector2d();
}

Acad::ErrorStatus AcDbLinetypeTableRecord::setShapeOffsetAt(int index, const AcGeVector2d& offset)
{
    if (mpData->at(index) == nullptr) return Acad::eInvalidIndex;
    assertWriteEnabled();
    mpData->at(index)->offset = offset;
    return Acad::eOk;
}

bool AcDbLinetypeTableRecord::shapeIsUcsOrientedAt(int index) const
{
    const Data::Dash* d = mpData->at(index);
    return d && (d->complex & 1) != 0;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::setShapeIsUcsOrientedAt(int index, bool isUcsOriented)
{
    Data::Dash* d = mpData->at(index);
    if (d == nullptr) return Acad::eInvalidIndex;
    assertWriteEnabled();
    d->complex = static_cast<Adesk::Int16>(isUcsOriented ? d->complex | 1 : d->complex & ~1);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::textAt(int index, const char*& text) const
{
    const Data::Dash* d = mpData->at(index);
    if (d == nullptr) return Acad::eInvalidIndex;
    text = d->text.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::setTextAt(int index, const char* text)
{
    Data::Dash* d = mpData->at(index);
    if (d == nullptr) return Acad::eInvalidIndex;
    assertWriteEnabled();
    d->text = text ? text : "";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeString(mpData->comments.c_str());
    pFiler->writeDouble(mpData->patternLength);
    pFiler->writeBool(mpData->scaledToFit);
    pFiler->writeInt32(static_cast<Adesk::Int32>(mpData->dashes.size()));
    for (const auto& d : mpData->dashes) {
        pFiler->writeDouble(d.length);
        pFiler->writeInt16(d.complex);
        pFiler->writeInt16(d.shapeNumber);
        pFiler->writeHardPointerId(d.style);
        pFiler->writeDouble(d.scale);
        pFiler->writeDouble(d.rotation);
        pFiler->writeVector2d(d.offset);
        pFiler->writeString(d.text.c_str());
    }
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(pFiler);
    if (es != Acad::eOk) return es;
    char* comments = nullptr;
    if (pFiler->readString(&comments) != Acad::eOk) return pFiler->filerStatus();
    mpData->comments = comments;
    delete[] comments;
    Adesk::Int32 count = 0;
    if (pFiler->readDouble(&mpData->patternLength) != Acad::eOk ||
        pFiler->readBool(&mpData->scaledToFit) != Acad::eOk || pFiler->readInt32(&count) != Acad::eOk || count < 0)
        return Acad::eFilerError;
    std::vector<Data::Dash> dashes(static_cast<std::size_t>(count));
    for (auto& d : dashes) {
        AcDbHardPointerId style;
        char* text = nullptr;
        if (pFiler->readDouble(&d.length) != Acad::eOk || pFiler->readInt16(&d.complex) != Acad::eOk ||
            pFiler->readInt16(&d.shapeNumber) != Acad::eOk || pFiler->readHardPointerId(&style) != Acad::eOk ||
            pFiler->readDouble(&d.scale) != Acad::eOk || pFiler->readDouble(&d.rotation) != Acad::eOk ||
            pFiler->readVector2d(&d.offset) != Acad::eOk || pFiler->readString(&text) != Acad::eOk)
            return pFiler->filerStatus();
        d.style = style;
        d.text = text;
        delete[] text;
    }
    mpData->dashes = std::move(dashes);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeString(AcDb::kDxfSubclass, "AcDbLinetypeTableRecord");
    arx::db::writeNameAndFlags(pFiler, this);
    pFiler->writeString(AcDb::kDxfDescription, mpData->comments.c_str());
    pFiler->writeInt16(AcDb::kDxfLinetypeAlign, mpData->scaledToFit ? 83 : 65);
    pFiler->writeInt16(AcDb::kDxfLinetypePDC, static_cast<Adesk::Int16>(mpData->dashes.size()));
    pFiler->writeDouble(AcDb::kDxfReal, mpData->patternLength);
    for (const auto& d : mpData->dashes) {
        pFiler->writeDouble(AcDb::kDxfDashLength, d.length);
        pFiler->writeInt16(AcDb::kDxfViewportIcon, d.complex);
        if ((d.complex & 6) != 0) {
            pFiler->writeInt16(AcDb::kDxfViewportSnap, d.shapeNumber);
            pFiler->writeObjectId(AcDb::kDxfHardPointerId, d.style);
            pFiler->writeDouble(AcDb::kDxfShapeScale, d.scale);
            pFiler->writeDouble(AcDb::kDxfAngle, d.rotation);
            pFiler->writeDouble(AcDb::kDxfShapeXOffset, d.offset.x);
            pFiler->writeDouble(AcDb::kDxfShapeYOffset, d.offset.y);
            if ((d.complex & 2) != 0) pFiler->writeString(AcDb::kDxfCLShapeText, d.text.c_str());
        }
    }
    arx::db::writeCarried(pFiler, carried());
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(pFiler);
    if (es == Acad::eOk) es = beginSubclass(pFiler, "AcDbLinetypeTableRecord");
    if (es != Acad::eOk) return es;
    std::vector<Data::Dash> dashes;
    es = arx::db::readRecordGroups(pFiler, this, carried(), [&](const DxfItem& item) {
        Data::Dash* d = dashes.empty() ? nullptr : &dashes.back();
        switch (item.code) {
        case AcDb::kDxfDescription: mpData->comments = item.text; return true;
        case AcDb::kDxfLinetypeAlign: mpData->scaledToFit = item.integer == 83; return true;
        case AcDb::kDxfLinetypePDC: return true;  // the count follows from the 49 groups
        case AcDb::kDxfReal: mpData->patternLength = item.real; return true;
        case AcDb::kDxfDashLength: {
            Data::Dash dash;
            dash.length = item.real;
            dashes.push_back(dash);
            return true;
        }
        case AcDb::kDxfViewportIcon:
            if (d) d->complex = static_cast<Adesk::Int16>(item.integer);
            return d != nullptr;
        case AcDb::kDxfViewportSnap:
            if (d) d->shapeNumber = static_cast<Adesk::Int16>(item.integer);
            return d != nullptr;
        case AcDb::kDxfHardPointerId:
            if (d) d->style = item.id;
            return d != nullptr;
        case AcDb::kDxfShapeScale:
            if (d) d->scale = item.real;
            return d != nullptr;
        case AcDb::kDxfAngle:
            if (d) d->rotation = item.real;
            return d != nullptr;
        case AcDb::kDxfShapeXOffset:
            if (d) d->offset.x = item.real;
            return d != nullptr;
        case AcDb::kDxfShapeYOffset:
            if (d) d->offset.y = item.real;
            return d != nullptr;
        case AcDb::kDxfCLShapeText:
            if (d) d->text = item.text;
            return d != nullptr;
        default: return false;
        }
    });
    mpData->dashes = std::move(dashes);
    return es;
}

// ---- Views ---------------------------------------------------------------------------------

struct AcDbAbstractViewTableRecord::View {
    AcGePoint2d center;
    double height = 1.0;
    double width = 1.0;
    AcGePoint3d target;
    AcGeVector3d direction = AcGeVector3d(0.0, 0.0, 1.0);
    double twist = 0.0;
    double lensLength = 50.0;
    double frontClip = 0.0;
    double backClip = 0.0;
    Adesk::Int16 viewMode = 0;
};

ACRX_DEFINE_MEMBERS_COMMON(AcDbAbstractViewTableRecord)
void AcDbAbstractViewTableRecord::rxInit()
{
    gpDesc = newAcRxClass("AcDbAbstractViewTableRecord", "AcDbSymbolTableRecord");
}

AcDbAbstractViewTableRecord::AcDbAbstractViewTableRecord() : mpView(new View) {}
AcDbAbstractViewTableRecord::~AcDbAbstractViewTableRecord() { delete mpView; }

#define ARX_VIEW_FIELD(GETTER, SETTER, TYPE, FIELD)                                                                    \
    TYPE AcDbAbstractViewTableRecord::GETTER() const { return mpView->FIELD; }                                         \
    void AcDbAbstractViewTableRecord::SETTER(TYPE value)                                                               \
    {                                                                                                                  \
        assertWriteEnabled();                                                                                          \
        mpView->FIELD = value;                                                                                         \
    }

ARX_VIEW_FIELD(height, setHeight, double, height)
ARX_VIEW_FIELD(width, setWidth, double, width)
ARX_VIEW_FIELD(viewTwist, setViewTwist, double, twist)
ARX_VIEW_FIELD(lensLength, setLensLength, double, lensLength)
ARX_VIEW_FIELD(frontClipDistance, setFrontClipDistance, double, frontClip)
ARX_VIEW_FIELD(backClipDistance, setBackClipDistance, double, backClip)
ARX_VIEW_FIELD(viewMode, setViewMode, Adesk::Int16, viewMode)
#undef ARX_VIEW_FIELD

AcGePoint2d AcDbAbstractViewTableRecord::centerPoint() const { return mpView->center; }
void AcDbAbstractViewTableRecord::setCenterPoint(const AcGePoint2d& pt)
{
    assertWriteEnabled();
    mpView->center = pt;
}
AcGePoint3d AcDbAbstractViewTableRecord::target() const { return mpView->target; }
void AcDbAbstractViewTableRecord::setTarget(const AcGePoint3d& target)
{
    assertWriteEnabled();
    mpView->target = target;
}
AcGeVector3d AcDbAbstractViewTableRecord::viewDirection() const { return mpView->direction; }
void AcDbAbstractViewTableRecord::setViewDirection(const AcGeVector3d& viewDirection)
{
    assertWriteEnabled();
    mpView->direction = viewDirection;
}

namespace {

Adesk::Int16 withBit(Adesk::Int16 mode, int bit, bool on)
{
    return static_cast<Adesk::Int16>(on ? mode | bit : mode & ~bit);
}

}  // namespace

bool AcDbAbstractViewTableRecord::perspectiveEnabled() const { return (mpView->viewMode & 1) != 0; }
void AcDbAbstractViewTableRecord::setPerspectiveEnabled(bool enabled)
{
    setViewMode(withBit(mpView->viewMode, 1, enabled));
}
bool AcDbAbstractViewTableRecord::frontClipEnabled() const { return (mpView->viewMode & 2) != 0; }
void AcDbAbstractViewTableRecord::setFrontClipEnabled(bool enabled)
{
    setViewMode(withBit(mpView->viewMode, 2, enabled));
}
bool AcDbAbstractViewTableRecord::backClipEnabled() const { return (mpView->viewMode & 4) != 0; }
void AcDbAbstractViewTableRecord::setBackClipEnabled(bool enabled)
{
    setViewMode(withBit(mpView->viewMode, 4, enabled));
}
// Bit 16 means the front clip is not at the eye.
bool AcDbAbstractViewTableRecord::frontClipAtEye() const { return (mpView->viewMode & 16) == 0; }
void AcDbAbstractViewTableRecord::setFrontClipAtEye(bool atEye) { setViewMode(withBit(mpView->viewMode, 16, !atEye)); }

Acad::ErrorStatus AcDbAbstractViewTableRecord::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(pFiler);
    if (es != Acad::eOk) return es;
    const View& v = *mpView;
    pFiler->writePoint2d(v.center);
    pFiler->writeDouble(v.height);
    pFiler->writeDouble(v.width);
    pFiler->writePoint3d(v.target);
    pFiler->writeVector3d(v.direction);
    pFiler->writeDouble(v.twist);
    pFiler->writeDouble(v.lensLength);
    pFiler->writeDouble(v.frontClip);
    pFiler->writeDouble(v.backClip);
    pFiler->writeInt16(v.viewMode);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbAbstractViewTableRecord::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(pFiler);
    if (es != Acad::eOk) return es;
    View v;
    if (pFiler->readPoint2d(&v.center) != Acad::eOk || pFiler->readDouble(&v.height) != Acad::eOk ||
        pFiler->readDouble(&v.width) != Acad::eOk || pFiler->readPoint3d(&v.target) != Acad::eOk ||
        pFiler->readVector3d(&v.direction) != Acad::eOk || pFiler->readDouble(&v.twist) != Acad::eOk ||
        pFiler->readDouble(&v.lensLength) != Acad::eOk || pFiler->readDouble(&v.frontClip) != Acad::eOk ||
        pFiler->readDouble(&v.backClip) != Acad::eOk || pFiler->readInt16(&v.viewMode) != Acad::eOk)
        return pFiler->filerStatus();
    *mpView = v;
    return pFiler->filerStatus();
}

ARX_DEFINE_RECORD_CLASS(AcDbViewTableRecord, AcDbAbstractViewTableRecord, "VIEW")

AcDbViewTableRecord::AcDbViewTableRecord() = default;
AcDbViewTableRecord::~AcDbViewTableRecord() = default;
bool AcDbViewTableRecord::isPaperspaceView() const { return (flags() & 1) != 0; }
void AcDbViewTableRecord::setIsPaperspaceView(bool pspace)
{
    setFlags(static_cast<Adesk::Int16>(pspace ? flags() | 1 : flags() & ~1));
}

Acad::ErrorStatus AcDbViewTableRecord::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    const View& v = view();
    pFiler->writeString(AcDb::kDxfSubclass, "AcDbViewTableRecord");
    arx::db::writeNameAndFlags(pFiler, this);
    pFiler->writeDouble(AcDb::kDxfViewportHeight, v.height);
    pFiler->writePoint2d(AcDb::kDxfXCoord, v.center);
    pFiler->writeDouble(AcDb::kDxfViewWidth, v.width);
    pFiler->writeVector3d(static_cast<AcDb::DxfCode>(11), v.direction);
    pFiler->writePoint3d(static_cast<AcDb::DxfCode>(12), v.target);
    pFiler->writeDouble(AcDb::kDxfViewLensLength, v.lensLength);
    pFiler->writeDouble(AcDb::kDxfViewFrontClip, v.frontClip);
    pFiler->writeDouble(AcDb::kDxfViewBackClip, v.backClip);
    pFiler->writeDouble(AcDb::kDxfAngle, v.twist);
    pFiler->writeInt16(AcDb::kDxfViewMode, v.viewMode);
    arx::db::writeCarried(pFiler, carried());
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbViewTableRecord::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(pFiler);
    if (es == Acad::eOk) es = beginSubclass(pFiler, "AcDbViewTableRecord");
    if (es != Acad::eOk) return es;
    View& v = view();
    return arx::db::readRecordGroups(pFiler, this, carried(), [&](const DxfItem& item) {
        switch (item.code) {
        case 40: v.height = item.real; return true;
        case 10: v.center = point2d(item); return true;
        case 41: v.width = item.real; return true;
        case 11: v.direction = vector3d(item); return true;
        case 12: v.target = point3d(item); return true;
        case 42: v.lensLength = item.real; return true;
        case 43: v.frontClip = item.real; return true;
        case 44: v.backClip = item.real; return true;
        case 50: v.twist = item.real; return true;
        case 71: v.viewMode = static_cast<Adesk::Int16>(item.integer); return true;
        default: return false;
        }
    });
}

struct AcDbViewportTableRecord::Data {
    AcGePoint2d lowerLeft = AcGePoint2d(0.0, 0.0);
    AcGePoint2d upperRight = AcGePoint2d(1.0, 1.0);
    AcGePoint2d snapBase;
    AcGePoint2d snapIncrements = AcGePoint2d(10.0, 10.0);
    AcGePoint2d gridIncrements = AcGePoint2d(10.0, 10.0);
    double snapAngle = 0.0;
    Adesk::UInt16 circleSides = 1000;
    Adesk::Int16 iconMode = 3;
    bool snap = false;
    bool grid = false;
};

ARX_DEFINE_RECORD_CLASS(AcDbViewportTableRecord, AcDbAbstractViewTableRecord, "VPORT")

AcDbViewportTableRecord::AcDbViewportTableRecord() : mpData(new Data) {}
AcDbViewportTableRecord::~AcDbViewportTableRecord() { delete mpData; }

#define ARX_VPORT_FIELD(GETTER, SETTER, TYPE, FIELD)                                                                   \
    TYPE AcDbViewportTableRecord::GETTER() const { return mpData->FIELD; }                                             \
    void AcDbViewportTableRecord::SETTER(TYPE value)                                                                   \
    {                                                                                                                  \
        assertWriteEnabled();                                                                                          \
        mpData->FIELD = value;                                                                                         \
    }

ARX_VPORT_FIELD(circleSides, setCircleSides, Adesk::UInt16, circleSides)
ARX_VPORT_FIELD(gridEnabled, setGridEnabled, bool, grid)
ARX_VPORT_FIELD(snapEnabled, setSnapEnabled, bool, snap)
ARX_VPORT_FIELD(snapAngle, setSnapAngle, double, snapAngle)
ARX_VPORT_FIELD(iconMode, setIconMode, Adesk::Int16, iconMode)
#undef ARX_VPORT_FIELD

AcGePoint2d AcDbViewportTableRecord::lowerLeftCorner() const { return mpData->lowerLeft; }
void AcDbViewportTableRecord::setLowerLeftCorner(const AcGePoint2d& pt)
{
    assertWriteEnabled();
    mpData->lowerLeft = pt;
}
AcGePoint2d AcDbViewportTableRecord::upperRightCorner() const { return mpData->upperRight; }
void AcDbViewportTableRecord::setUpperRightCorner(const AcGePoint2d& pt)
{
    assertWriteEnabled();
    mpData->upperRight = pt;
}
AcGePoint2d AcDbViewportTableRecord::gridIncrements() const { return mpData->gridIncrements; }
void AcDbViewportTableRecord::setGridIncrements(const AcGePoint2d& base)
{
    assertWriteEnabled();
    mpData->gridIncrements = base;
}
AcGePoint2d AcDbViewportTableRecord::snapBase() const { return mpData->snapBase; }
void AcDbViewportTableRecord::setSnapBase(const AcGePoint2d& base)
{
    assertWriteEnabled();
    mpData->snapBase = base;
}
AcGePoint2d AcDbViewportTableRecord::snapIncrements() const { return mpData->snapIncrements; }
void AcDbViewportTableRecord::setSnapIncrements(const AcGePoint2d& base)
{
    assertWriteEnabled();
    mpData->snapIncrements = base;
}
bool AcDbViewportTableRecord::ucsFollowMode() const { return (viewMode() & 8) != 0; }
void AcDbViewportTableRecord::setUcsFollowMode(bool enabled) { setViewMode(withBit(viewMode(), 8, enabled)); }

Acad::ErrorStatus AcDbViewportTableRecord::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbAbstractViewTableRecord::dwgOutFields(pFiler);
    if (es != Acad::eOk) return es;
    const Data& d = *mpData;
    pFiler->writePoint2d(d.lowerLeft);
    pFiler->writePoint2d(d.upperRight);
    pFiler->writePoint2d(d.snapBase);
    pFiler->writePoint2d(d.snapIncrements);
    pFiler->writePoint2d(d.gridIncrements);
    pFiler->writeDouble(d.snapAngle);
    pFiler->writeUInt16(d.circleSides);
    pFiler->writeInt16(d.iconMode);
    pFiler->writeBool(d.snap);
    pFiler->writeBool(d.grid);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbViewportTableRecord::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbAbstractViewTableRecord::dwgInFields(pFiler);
    if (es != Acad::eOk) return es;
    Data d;
    if (pFiler->readPoint2d(&d.lowerLeft) != Acad::eOk || pFiler->readPoint2d(&d.upperRight) != Acad::eOk ||
        pFiler->readPoint2d(&d.snapBase) != Acad::eOk || pFiler->readPoint2d(&d.snapIncrements) != Acad::eOk ||
        pFiler->readPoint2d(&d.gridIncrements) != Acad::eOk || pFiler->readDouble(&d.snapAngle) != Acad::eOk ||
        pFiler->readUInt16(&d.circleSides) != Acad::eOk || pFiler->readInt16(&d.iconMode) != Acad::eOk ||
        pFiler->readBool(&d.snap) != Acad::eOk || pFiler->readBool(&d.grid) != Acad::eOk)
        return pFiler->filerStatus();
    *mpData = d;
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbViewportTableRecord::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    const View& v = view();
    const Data& d = *mpData;
    pFiler->writeString(AcDb::kDxfSubclass, "AcDbViewportTableRecord");
    arx::db::writeNameAndFlags(pFiler, this);
    pFiler->writePoint2d(static_cast<AcDb::DxfCode>(10), d.lowerLeft);
    pFiler->writePoint2d(static_cast<AcDb::DxfCode>(11), d.upperRight);
    pFiler->writePoint2d(static_cast<AcDb::DxfCode>(12), v.center);
    pFiler->writePoint2d(static_cast<AcDb::DxfCode>(13), d.snapBase);
    pFiler->writePoint2d(static_cast<AcDb::DxfCode>(14), d.snapIncrements);
    pFiler->writePoint2d(static_cast<AcDb::DxfCode>(15), d.gridIncrements);
    pFiler->writeVector3d(static_cast<AcDb::DxfCode>(16), v.direction);
    pFiler->writePoint3d(static_cast<AcDb::DxfCode>(17), v.target);
    pFiler->writeDouble(static_cast<AcDb::DxfCode>(40), v.height);
    pFiler->writeDouble(static_cast<AcDb::DxfCode>(41), v.height > 0.0 ? v.width / v.height : 1.0);
    pFiler->writeDouble(static_cast<AcDb::DxfCode>(42), v.lensLength);
    pFiler->writeDouble(static_cast<AcDb::DxfCode>(43), v.frontClip);
    pFiler->writeDouble(static_cast<AcDb::DxfCode>(44), v.backClip);
    pFiler->writeDouble(static_cast<AcDb::DxfCode>(50), d.snapAngle);
    pFiler->writeDouble(static_cast<AcDb::DxfCode>(51), v.twist);
    pFiler->writeInt16(static_cast<AcDb::DxfCode>(71), v.viewMode);
    pFiler->writeInt16(static_cast<AcDb::DxfCode>(72), static_cast<Adesk::Int16>(d.circleSides));
    pFiler->writeInt16(static_cast<AcDb::DxfCode>(74), d.iconMode);
    pFiler->writeInt16(static_cast<AcDb::DxfCode>(75), d.snap ? 1 : 0);
    pFiler->writeInt16(static_cast<AcDb::DxfCode>(76), d.grid ? 1 : 0);
    arx::db::writeCarried(pFiler, carried());
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbViewportTableRecord::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(pFiler);
    if (es == Acad::eOk) es = beginSubclass(pFiler, "AcDbViewportTableRecord");
    if (es != Acad::eOk) return es;
    View& v = view();
    Data& d = *mpData;
    double aspect = -1.0;
    es = arx::db::readRecordGroups(pFiler, this, carried(), [&](const DxfItem& item) {
        switch (item.code) {
        case 10: d.lowerLeft = point2d(item); return true;
        case 11: d.upperRight = point2d(item); return true;
        case 12: v.center = point2d(item); return true;
        case 13: d.snapBase = point2d(item); return true;
        case 14: d.snapIncrements = point2d(item); return true;
        case 15: d.gridIncrements = point2d(item); return true;
        case 16: v.direction = vector3d(item); return true;
        case 17: v.target = point3d(item); return true;
        case 40: v.height = item.real; return true;
        case 41: aspect = item.real; return true;
        case 42: v.lensLength = item.real; return true;
        case 43: v.frontClip = item.real; return true;
        case 44: v.backClip = item.real; return true;
        case 50: d.snapAngle = item.real; return true;
        case 51: v.twist = item.real; return true;
        case 71: v.viewMode = static_cast<Adesk::Int16>(item.integer); return true;
        case 72: d.circleSides = static_cast<Adesk::UInt16>(item.integer); return true;
        case 74: d.iconMode = static_cast<Adesk::Int16>(item.integer); return true;
        case 75: d.snap = item.integer != 0; return true;
        case 76: d.grid = item.integer != 0; return true;
        default: return false;
        }
    });
    if (aspect > 0.0) v.width = aspect * v.height;
    return es;
}

// ---- UCS -----------------------------------------------------------------------------------

ARX_DEFINE_RECORD_CLASS(AcDbUCSTableRecord, AcDbSymbolTableRecord, "UCS")

AcDbUCSTableRecord::AcDbUCSTableRecord() : mXAxis(1.0, 0.0, 0.0), mYAxis(0.0, 1.0, 0.0) {}
AcDbUCSTableRecord::~AcDbUCSTableRecord() = default;
AcGePoint3d AcDbUCSTableRecord::origin() const { return mOrigin; }
void AcDbUCSTableRecord::setOrigin(const AcGePoint3d& newOrigin)
{
    assertWriteEnabled();
    mOrigin = newOrigin;
}
AcGeVector3d AcDbUCSTableRecord::xAxis() const { return mXAxis; }
void AcDbUCSTableRecord::setXAxis(const AcGeVector3d& xAxis)
{
    assertWriteEnabled();
    mXAxis = xAxis;
}
AcGeVector3d AcDbUCSTableRecord::yAxis() const { return mYAxis; }
void AcDbUCSTableRecord::setYAxis(const AcGeVector3d& yAxis)
{
    assertWriteEnabled();
    mYAxis = yAxis;
}

Acad::ErrorStatus AcDbUCSTableRecord::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writePoint3d(mOrigin);
    pFiler->writeVector3d(mXAxis);
    pFiler->writeVector3d(mYAxis);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbUCSTableRecord::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->readPoint3d(&mOrigin);
    pFiler->readVector3d(&mXAxis);
    pFiler->readVector3d(&mYAxis);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbUCSTableRecord::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeString(AcDb::kDxfSubclass, "AcDbUCSTableRecord");
    arx::db::writeNameAndFlags(pFiler, this);
    pFiler->writePoint3d(static_cast<AcDb::DxfCode>(10), mOrigin);
    pFiler->writeVector3d(static_cast<AcDb::DxfCode>(11), mXAxis);
    pFiler->writeVector3d(static_cast<AcDb::DxfCode>(12), mYAxis);
    arx::db::writeCarried(pFiler, carried());
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbUCSTableRecord::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(pFiler);
    if (es == Acad::eOk) es = beginSubclass(pFiler, "AcDbUCSTableRecord");
    if (es != Acad::eOk) return es;
    return arx::db::readRecordGroups(pFiler, this, carried(), [&](const DxfItem& item) {
        switch (item.code) {
        case 10: mOrigin = point3d(item); return true;
        case 11: mXAxis = vector3d(item); return true;
        case 12: mYAxis = vector3d(item); return true;
        default: return false;
        }
    });
}

// ---- Registered application and dimension style ---------------------------------------------

ARX_DEFINE_RECORD_CLASS(AcDbRegAppTableRecord, AcDbSymbolTableRecord, "APPID")

AcDbRegAppTableRecord::AcDbRegAppTableRecord() = default;
AcDbRegAppTableRecord::~AcDbRegAppTableRecord() = default;

Acad::ErrorStatus AcDbRegAppTableRecord::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeString(AcDb::kDxfSubclass, "AcDbRegAppTableRecord");
    arx::db::writeNameAndFlags(pFiler, this);
    arx::db::writeCarried(pFiler, carried());
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbRegAppTableRecord::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(pFiler);
    if (es == Acad::eOk) es = beginSubclass(pFiler, "AcDbRegAppTableRecord");
    if (es != Acad::eOk) return es;
    return arx::db::readRecordGroups(pFiler, this, carried(), [](const DxfItem&) { return false; });
}

ARX_DEFINE_RECORD_CLASS(AcDbDimStyleTableRecord, AcDbSymbolTableRecord, "DIMSTYLE")

AcDbDimStyleTableRecord::AcDbDimStyleTableRecord() = default;
AcDbDimStyleTableRecord::~AcDbDimStyleTableRecord() = default;

Acad::ErrorStatus AcDbDimStyleTableRecord::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeString(AcDb::kDxfSubclass, "AcDbDimStyleTableRecord");
    arx::db::writeNameAndFlags(pFiler, this);
    arx::db::writeCarried(pFiler, carried());
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbDimStyleTableRecord::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(pFiler);
    if (es == Acad::eOk) es = beginSubclass(pFiler, "AcDbDimStyleTableRecord");
    if (es != Acad::eOk) return es;
    return arx::db::readRecordGroups(pFiler, this, carried(), [](const DxfItem&) { return false; });
}
