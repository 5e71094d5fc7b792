// The host's world draw: it hands itself to a drawable's worldDraw and keeps every primitive
// in world coordinates with its traits (gi/primitive.h). The plot turns these into SVG;
// tests read them directly.
//
// drawEntity draws an entity as the host does: the traits start from the entity's colour,
// layer, linetype, lineweight and linetype scale (selection marker 0, fill never), then its
// setAttributes and worldDraw run. A worldDraw that returns false would ask for viewportDraw,
// which this host does not run (it has no per-viewport regeneration). geometry().draw()
// draws nested drawables (a block's entities) the same way, with BYBLOCK and layer "0"
// taking the enclosing entity's colour and layer.
#pragma once
#include <map>
#include <memory>
#include <vector>

#include "acgi.h"
#include "gi/primitive.h"

class AcDbEntity;

namespace arx::gi {

class RecordingGeometry;
class RecordingTraits;
class RecordingContext;

class ACAD_PORT RecordingWorldDraw : public AcGiWorldDraw {
public:
    // database: what context()->database() answers (the entity's own when null).
    explicit RecordingWorldDraw(AcDbDatabase* database = nullptr);
    ~RecordingWorldDraw() override;
    RecordingWorldDraw(const RecordingWorldDraw&) = delete;
    RecordingWorldDraw& operator=(const RecordingWorldDraw&) = delete;

    void setDragging(bool dragging) { mDragging = dragging; }
    void setRegenType(AcGiRegenType type) { mRegenType = type; }
    void setPlotGeneration(bool plotting);
    void setDeviation(double deviation) { mDeviation = deviation; }

    // Draws an entity open for read (or write). Returns what its worldDraw returned (true
    // for an invisible entity, which draws nothing).
    bool drawEntity(AcDbEntity* entity);
    // Opens the entity for read, draws it and closes it; eOk or the open's error.
    Acad::ErrorStatus drawEntity(AcDbObjectId entityId, bool* worldDrawResult = nullptr);

    const std::vector<Primitive>& primitives() const { return mPrimitives; }
    std::vector<Primitive> takePrimitives();
    void clear() { mPrimitives.clear(); }

    // AcGiWorldDraw.
    AcGiRegenType regenType() const override { return mRegenType; }
    Adesk::Boolean regenAbort() const override { return false; }
    AcGiSubEntityTraits& subEntityTraits() const override;
    AcGiGeometry* rawGeometry() const override;
    Adesk::Boolean isDragging() const override { return mDragging; }
    AcGiContext* context() override;
    double deviation(const AcGiDeviationType type, const AcGePoint3d& point) const override;
    Adesk::UInt32 numberOfIsolines() const override { return 4; }
    AcGiWorldGeometry& geometry() const override;

    // For the geometry: the traits and transform in force, and where primitives go.
    const RecordedTraits& currentTraits() const;
    const AcGeMatrix3d& modelTransform() const { return mTransforms.back(); }
    void pushTransform(const AcGeMatrix3d& xform);
    bool popTransform();
    // Completes a primitive (traits, shown colour and layer, entity) and keeps it, unless a
    // point is not finite.
    void record(Primitive primitive);
    // Draws a nested drawable with the enclosing traits as its block's; false past the
    // nesting limit (a block that contains itself).
    bool drawNested(AcGiDrawable* drawable);

private:
    struct Enclosing {
        Adesk::UInt16 colorIndex;
        AcDbObjectId layer;
    };
    struct LayerFacts {
        Adesk::UInt16 colorIndex = 7;
        bool isLayerZero = false;
    };
    bool drawWithTraits(AcGiDrawable* drawable, AcDbEntity* entity);
    void startTraitsFrom(const AcDbEntity* entity);
    const LayerFacts& layerFacts(AcDbObjectId layerId);
    Adesk::UInt16 shownColor(const RecordedTraits& traits);
    AcDbObjectId shownLayer(const RecordedTraits& traits);

    std::unique_ptr<RecordingGeometry> mpGeometry;
    std::unique_ptr<RecordingTraits> mpTraits;
    std::unique_ptr<RecordingContext> mpContext;
    std::vector<Primitive> mPrimitives;
    std::vector<AcGeMatrix3d> mTransforms;
    std::vector<Enclosing> mEnclosing;
    std::map<AcDbObjectId, LayerFacts> mLayers;
    AcDbObjectId mOutermost;
    AcGiRegenType mRegenType = kAcGiStandardDisplay;
    bool mDragging = false;
    double mDeviation = 0.001;
};

}  // namespace arx::gi
