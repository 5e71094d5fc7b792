// How each writable palette property turns the value typed into new corners for the mark.
#pragma once
#include <optional>

#include "mark/viewport_projection.h"
#include "properties/edit_round.h"

class VaduKestra;

namespace kestra {

class OutlineEdit {
public:
    virtual ~OutlineEdit() = default;
    // The code that names the property in its failure message ("(OPM-1300) ...").
    virtual int code() const = 0;
    // Whether the value is a whole number (the rotation and the list index) or a real.
    virtual bool wholeValue() const { return false; }
    // False when the value is refused (the edit fails, nothing changes).
    virtual bool accepts(const EditValue&) const { return true; }
    // True when the value asks for no change at all (the mark is not even opened).
    virtual bool changesNothing(const EditValue&) const { return false; }
    // The new corners; nothing when they cannot be computed (the edit fails).
    virtual std::optional<Corners> newCorners(const VaduKestra& mark, const EditValue& value) const = 0;
};

// "Center X", "Center Y", "Center Z": the centre moved along one axis of the current UCS.
class CenterEdit : public OutlineEdit {
public:
    explicit CenterEdit(unsigned axis) : axis_(axis) {}
    int code() const override;
    std::optional<Corners> newCorners(const VaduKestra& mark, const EditValue& value) const override;

private:
    unsigned axis_;  // 0, 1 or 2
};

// "Zoom XP": the outline scaled about its centre to the new scale (positive only).
class ZoomEdit : public OutlineEdit {
public:
    int code() const override { return 1300; }
    bool accepts(const EditValue& value) const override { return value.real > 0.0; }
    std::optional<Corners> newCorners(const VaduKestra& mark, const EditValue& value) const override;
};

// "Rotation": whole degrees, turned from the mark's exact angle about its normal.
class RotationEdit : public OutlineEdit {
public:
    int code() const override { return 1200; }
    bool wholeValue() const override { return true; }
    std::optional<Corners> newCorners(const VaduKestra& mark, const EditValue& value) const override;
};

// "Standard scales": an index of the palette's list; 0 ("Custom") changes nothing.
class StandardScaleEdit : public OutlineEdit {
public:
    int code() const override { return 1050; }
    bool wholeValue() const override { return true; }
    bool accepts(const EditValue& value) const override;
    bool changesNothing(const EditValue& value) const override { return value.whole == 0; }
    std::optional<Corners> newCorners(const VaduKestra& mark, const EditValue& value) const override;
};

}  // namespace kestra
