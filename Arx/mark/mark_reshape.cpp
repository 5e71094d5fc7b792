// Reshaping a mark: new corners and paper height, recorded for undo by the mark itself (the
// four old corners and the old paper height rather than the whole object), and carried into
// the view record of its viewport. Undo replays the record through reshape, which writes the
// state it replaces in turn, so redo works the same way.
#include "assoc/handle_text.h"
#include "assoc/layer_state.h"
#include "assoc/viewport_view_xdata.h"
#include "dbents.h"
#include "dbfiler.h"
#include "gemat3d.h"
#include "mark/vadu_kestra.h"
#include "shell/object_opener.h"

Acad::ErrorStatus VaduKestra::reshape(const AcGePoint3d& p0, const AcGePoint3d& p1, const AcGePoint3d& p2,
                                      const AcGePoint3d& p3, double paperHeight)
{
    assertWriteEnabled(Adesk::kFalse, Adesk::kTrue);
    if (AcDbDwgFiler* filer = undoFiler()) {
        filer->writeAddress(isA());
        for (const AcGePoint3d& corner : mCorners) filer->writePoint3d(corner);
        filer->writeDouble(mPaperHeight);
    }
    mCorners[0] = p0;
    mCorners[1] = p1;
    mCorners[2] = p2;
    mCorners[3] = p3;
    mPaperHeight = paperHeight;
    transformOutline(AcGeMatrix3d::kIdentity);

    kestra::ObjectOpener<AcDbViewport> viewport(kestra::objectIdOfHandle(mViewportHandle), AcDb::kForRead);
    if (!viewport) return Acad::eNotOpenForRead;
    const double modelHeight = mCorners[0].distanceTo(mCorners[3]);
    const Acad::ErrorStatus status = kestra::changeOnUnlockedLayer(viewport, [&](AcDbViewport& opened) {
        kestra::writeViewportViewXData(opened, mCenter, modelHeight, mRotation, mNormal);
    });
    return status == Acad::eOk ? Acad::eOk : Acad::eNotOpenForWrite;
}

Acad::ErrorStatus VaduKestra::applyPartialUndo(AcDbDwgFiler* undoFiler, AcRxClass* classObj)
{
    if (classObj != isA()) return AcDbEntity::applyPartialUndo(undoFiler, classObj);
    AcGePoint3d corners[4];
    double paperHeight = 0.0;
    for (AcGePoint3d& corner : corners) undoFiler->readPoint3d(&corner);
    undoFiler->readDouble(&paperHeight);
    reshape(corners[0], corners[1], corners[2], corners[3], paperHeight);
    return Acad::eOk;
}
