// The legacy view record of a floating viewport: the "ACAD" extended data, headed "MVIEW", in
// which the host keeps the viewport's view as drawings of the old format stored it. The host
// writes it when it makes a viewport and rewrites it whenever it changes the view itself, so
// that a reader of the record always finds the view the viewport shows.
#include <cstdlib>
#include <cstring>
#include <string>

#include "acutads.h"
#include "db/paper_viewport.h"
#include "db/symbol_lookup.h"
#include "dbents.h"

namespace {

constexpr short kRecordVersion = 16;
constexpr short kCircleZoomDefault = 100;

// Appends items to a result-buffer chain; the chain is freed unless released.
class RecordBuilder {
public:
    ~RecordBuilder() { acutRelRb(head_); }
    resbuf* release()
    {
        resbuf* out = head_;
        head_ = tail_ = nullptr;
        return out;
    }
    void text(short code, const char* value)
    {
        if (resbuf* item = append(code)) {
            item->resval.rstring = static_cast<char*>(std::malloc(std::strlen(value) + 1));
            if (item->resval.rstring != nullptr) std::strcpy(item->resval.rstring, value);
            else failed_ = true;
        }
    }
    void integer(short value)
    {
        if (resbuf* item = append(1070)) item->resval.rint = value;
    }
    void real(double value)
    {
        if (resbuf* item = append(1040)) item->resval.rreal = value;
    }
    void point(double x, double y, double z)
    {
        if (resbuf* item = append(1010)) {
            item->resval.rpoint[0] = x;
            item->resval.rpoint[1] = y;
            item->resval.rpoint[2] = z;
        }
    }
    bool failed() const { return failed_; }

private:
    resbuf* append(short code)
    {
        resbuf* item = acutNewRb(code);
        if (item == nullptr) {
            failed_ = true;
            return nullptr;
        }
        (tail_ != nullptr ? tail_->rbnext : head_) = item;
        tail_ = item;
        return item;
    }
    resbuf* head_ = nullptr;
    resbuf* tail_ = nullptr;
    bool failed_ = false;
};

}  // namespace

// The items follow the old format's window descriptor: version, target, direction, twist,
// view height, view centre, lens, clipping, view mode, display settings, snap and grid, the
// hide-in-plot flag, then the names of the layers frozen in the viewport.
Acad::ErrorStatus AcDbViewport::writeLegacyViewRecord()
{
    assertReadEnabled();
    if (mId == arx::db::kPaperViewportId || database() == nullptr) return Acad::eOk;
    RecordBuilder record;
    record.text(1001, "ACAD");
    record.text(1000, "MVIEW");
    record.text(1002, "{");
    record.integer(kRecordVersion);
    record.point(mViewTarget.x, mViewTarget.y, mViewTarget.z);
    record.point(mViewDirection.x, mViewDirection.y, mViewDirection.z);
    for (double value : {mTwist, mViewHeight, mViewCenter.x, mViewCenter.y, mLensLength, mFrontClip, mBackClip})
        record.real(value);
    record.integer(viewMode());
    record.integer(mCircleSides > 0 ? mCircleSides : kCircleZoomDefault);
    record.integer((mFlags & kFastZoom) ? 1 : 0);
    record.integer(static_cast<short>(((mFlags & kUcsIconVisible) ? 1 : 0) | ((mFlags & kUcsIconAtOrigin) ? 2 : 0)));
    record.integer((mFlags & kSnap) ? 1 : 0);
    record.integer((mFlags & kGrid) ? 1 : 0);
    record.integer((mFlags & kIsometricSnap) ? 1 : 0);
    record.integer(static_cast<short>((mFlags & kKIsoPairTop) ? ((mFlags & kKIsoPairRight) ? 0 : 1)
                                                              : ((mFlags & kKIsoPairRight) ? 2 : 0)));
    for (double value :
         {mSnapAngle, mSnapBase.x, mSnapBase.y, mSnapSpacing.x, mSnapSpacing.y, mGridSpacing.x, mGridSpacing.y})
        record.real(value);
    record.integer((mFlags & kHideInPlot) ? 1 : 0);
    record.text(1002, "{");
    for (int i = 0; i < mFrozenLayers.length(); ++i) {
        const std::string name = arx::db::recordName(mFrozenLayers[i]);
        if (!name.empty()) record.text(1003, name.c_str());
    }
    record.text(1002, "}");
    record.text(1002, "}");
    if (record.failed()) return Acad::eOutOfMemory;
    resbuf* chain = record.release();
    const Acad::ErrorStatus es = setXData(chain);
    acutRelRb(chain);
    return es;
}
