// What each of the mark's palette properties shows: its name, category, type, whether it can
// be edited, its description and how its value is read from the mark.
#pragma once
#include <span>

#include "objbase.h"

class VaduKestra;

namespace kestra {

// The degrees of a radian angle, with the factor the palette has always used.
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kRadiansPerDegree = 0.017453292519943295;

struct PropertyDefinition {
    const char* name;
    const char* category;
    VARTYPE type;
    bool readOnly;
    const char* description;
    void (*read)(const VaduKestra& mark, VARIANT& value);
};

// The 23 properties in the order they are registered (and listed).
std::span<const PropertyDefinition> markPropertyDefinitions();

// The angle the palette shows for a mark's rotation: minus the rotation in degrees, 0 within
// 1e-6 of 360, truncated toward zero (a value within 1e-6 of a whole degree is that degree).
long shownRotation(double rotation);

}  // namespace kestra
