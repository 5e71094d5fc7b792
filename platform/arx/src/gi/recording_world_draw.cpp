#include "gi/recording_world_draw.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "dbmain.h"
#include "dbsymtb.h"
#include "gi/recording_parts.h"

namespace arx::gi {
namespace {

// Deeper nesting than this is a block that contains itself.
constexpr size_t kMaxNesting = 64;
constexpr Adesk::UInt16 kForeground = 7;

bool isFinitePoint(const AcGePoint3d& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

bool allFinite(const Primitive& primitive)
{
    for (const AcGePoint3d& p : primitive.points)
        if (!isFinitePoint(p)) return false;
    return true;
}

}  // namespace

RecordingWorldDraw::RecordingWorldDraw(AcDbDatabase* database)
    : mpGeometry(std::make_unique<RecordingGeometry>(*this)), mpTraits(std::make_unique<RecordingTraits>()),
      mpContext(std::make_unique<RecordingContext>()), mTransforms{AcGeMatrix3d::kIdentity}
{
    mpContext->db = database;
}

RecordingWorldDraw::~RecordingWorldDraw() = default;

void RecordingWorldDraw::setPlotGeneration(bool plotting) { mpContext->plotting = plotting; }

std::vector<Primitive> RecordingWorldDraw::takePrimitives() { return std::exchange(mPrimitives, {}); }

AcGiSubEntityTraits& RecordingWorldDraw::subEntityTraits() const { return *mpTraits; }
// The block transforms of nested drawing apply to the raw geometry as well.
AcGiGeometry* RecordingWorldDraw::rawGeometry() const { return mpGeometry.get(); }
AcGiWorldGeometry& RecordingWorldDraw::geometry() const { return *mpGeometry; }
AcGiContext* RecordingWorldDraw::context() { return mpContext.get(); }
double RecordingWorldDraw::deviation(const AcGiDeviationType, const AcGePoint3d&) const { return mDeviation; }
const RecordedTraits& RecordingWorldDraw::currentTraits() const { return mpTraits->value; }

void RecordingWorldDraw::pushTransform(const AcGeMatrix3d& xform) { mTransforms.push_back(modelTransform() * xform); }

bool RecordingWorldDraw::popTransform()
{
    if (mTransforms.size() <= 1) return false;
    mTransforms.pop_back();
    return true;
}

bool RecordingWorldDraw::drawEntity(AcDbEntity* entity)
{
    if (entity == nullptr) return true;
    mOutermost = entity->objectId();
    if (mpContext->db == nullptr && entity->database() != nullptr) mpContext->db = entity->database();
    const bool result = drawWithTraits(entity, entity);
    mOutermost = AcDbObjectId::kNull;
    return result;
}

Acad::ErrorStatus RecordingWorldDraw::drawEntity(AcDbObjectId entityId, bool* worldDrawResult)
{
    AcDbEntity* entity = nullptr;
    const Acad::ErrorStatus es = acdbOpenObject(entity, entityId, AcDb::kForRead);
    if (es != Acad::eOk) return es;
    const bool result = drawEntity(entity);
    entity->close();
    if (worldDrawResult != nullptr) *worldDrawResult = result;
    return Acad::eOk;
}

bool RecordingWorldDraw::drawNested(AcGiDrawable* drawable)
{
    if (drawable == nullptr || mEnclosing.size() >= kMaxNesting) return false;
    mEnclosing.push_back({shownColor(mpTraits->value), shownLayer(mpTraits->value)});
    const bool result = drawWithTraits(drawable, AcDbEntity::cast(static_cast<AcRxObject*>(drawable)));
    mEnclosing.pop_back();
    return result;
}

// Runs one drawable with its own traits and transform depth, restoring both afterwards so
// that a drawable that forgets to pop does not shift what follows.
bool RecordingWorldDraw::drawWithTraits(AcGiDrawable* drawable, AcDbEntity* entity)
{
    const RecordedTraits saved = mpTraits->value;
    const size_t depth = mTransforms.size();
    bool result = true;
    if (entity != nullptr) startTraitsFrom(entity);
    const bool invisible = entity != nullptr && entity->visibility() == AcDb::kInvisible;
    if (!invisible && (drawable->setAttributes(mpTraits.get()) & AcGiDrawable::kDrawableIsInvisible) == 0)
        result = drawable->worldDraw(this);
    mTransforms.resize(depth);
    mpTraits->value = saved;
    return result;
}

void RecordingWorldDraw::startTraitsFrom(const AcDbEntity* entity)
{
    RecordedTraits traits;
    traits.color = entity->colorIndex();
    traits.layer = entity->layerId();
    traits.linetype = entity->linetypeId();
    traits.lineWeight = entity->lineWeight();
    traits.linetypeScale = entity->linetypeScale();
    mpTraits->value = traits;
}

const RecordingWorldDraw::LayerFacts& RecordingWorldDraw::layerFacts(AcDbObjectId layerId)
{
    auto found = mLayers.find(layerId);
    if (found != mLayers.end()) return found->second;
    LayerFacts facts;
    AcDbLayerTableRecord* layer = nullptr;
    if (!layerId.isNull() && acdbOpenObject(layer, layerId, AcDb::kForRead) == Acad::eOk) {
        const int index = layer->color().colorIndex();
        if (index >= 1 && index <= 255) facts.colorIndex = static_cast<Adesk::UInt16>(index);
        const char* name = nullptr;
        facts.isLayerZero = layer->getName(name) == Acad::eOk && name != nullptr && std::strcmp(name, "0") == 0;
        layer->close();
    }
    return mLayers.emplace(layerId, facts).first->second;
}

AcDbObjectId RecordingWorldDraw::shownLayer(const RecordedTraits& traits)
{
    if (!mEnclosing.empty() && (traits.layer.isNull() || layerFacts(traits.layer).isLayerZero))
        return mEnclosing.back().layer;
    return traits.layer;
}

Adesk::UInt16 RecordingWorldDraw::shownColor(const RecordedTraits& traits)
{
    if (traits.color >= 1 && traits.color <= 255) return traits.color;
    if (traits.color == 0) return mEnclosing.empty() ? kForeground : mEnclosing.back().colorIndex;
    const AcDbObjectId layer = shownLayer(traits);
    return layer.isNull() ? kForeground : layerFacts(layer).colorIndex;
}

void RecordingWorldDraw::record(Primitive primitive)
{
    if (!allFinite(primitive)) return;
    primitive.traits = mpTraits->value;
    primitive.colorIndex = shownColor(primitive.traits);
    primitive.layer = shownLayer(primitive.traits);
    for (const Enclosing& enclosing : mEnclosing) primitive.enclosingLayers.push_back(enclosing.layer);
    primitive.entity = mOutermost;
    mPrimitives.push_back(std::move(primitive));
}

}  // namespace arx::gi
