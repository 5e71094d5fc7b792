// The geometry library's global settings.
#include "gegbl.h"
#include "gevec3d.h"
#include "ge/arbitrary_axis.h"

namespace {

void arbitraryAxisOrthoVector(const AcGeVector3d& vec, AcGeVector3d& result) { result = arx::ge::arbitraryXAxis(vec); }

}  // namespace

constinit AcGeTol AcGeContext::gTol;
using OrthoVectorFunction = void (*)(const AcGeVector3d&, AcGeVector3d&);
constinit OrthoVectorFunction AcGeContext::gOrthoVector = arbitraryAxisOrthoVector;
