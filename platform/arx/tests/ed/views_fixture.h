// The fixture of the views tests: a new drawing as the working database, the editor's
// system variables, and short forms of acedGetVar, acedSetVar and acedTrans.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "acedads.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dbmain.h"
#include "ed/standard_sysvars.h"
#include "ed/views.h"
#include "gepnt3d.h"

namespace viewstest {

class ViewsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        arx::ed::defineStandardSysVars();
        db = new AcDbDatabase(true);
        acdbHostApplicationServices()->setWorkingDatabase(db);
    }
    void TearDown() override
    {
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        delete db;
    }

    static int getInt(const char* name)
    {
        resbuf rb{};
        EXPECT_EQ(acedGetVar(name, &rb), RTNORM) << name;
        return rb.restype == RTLONG ? static_cast<int>(rb.resval.rlong) : rb.resval.rint;
    }
    static double getReal(const char* name)
    {
        resbuf rb{};
        EXPECT_EQ(acedGetVar(name, &rb), RTNORM) << name;
        EXPECT_EQ(rb.restype, RTREAL) << name;
        return rb.resval.rreal;
    }
    static AcGePoint3d getPoint(const char* name)
    {
        resbuf rb{};
        EXPECT_EQ(acedGetVar(name, &rb), RTNORM) << name;
        return AcGePoint3d(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
    }
    static std::string getText(const char* name)
    {
        resbuf rb{};
        EXPECT_EQ(acedGetVar(name, &rb), RTNORM) << name;
        std::string text = rb.restype == RTSTR && rb.resval.rstring ? rb.resval.rstring : "";
        if (rb.restype == RTSTR) free(rb.resval.rstring);
        return text;
    }
    static int setInt(const char* name, int value)
    {
        resbuf rb{};
        rb.restype = RTSHORT;
        rb.resval.rint = static_cast<short>(value);
        return acedSetVar(name, &rb);
    }
    static int setReal(const char* name, double value)
    {
        resbuf rb{};
        rb.restype = RTREAL;
        rb.resval.rreal = value;
        return acedSetVar(name, &rb);
    }
    static int setText(const char* name, const char* value)
    {
        resbuf rb{};
        rb.restype = RTSTR;
        rb.resval.rstring = const_cast<char*>(value);
        return acedSetVar(name, &rb);
    }

    // acedTrans between coded systems; RTNORM expected unless `status` is asked for.
    static AcGePoint3d trans(const AcGePoint3d& p, int from, int to, bool disp = false, int* status = nullptr)
    {
        resbuf f{}, t{};
        f.restype = RTSHORT, f.resval.rint = static_cast<short>(from);
        t.restype = RTSHORT, t.resval.rint = static_cast<short>(to);
        ads_point in = {p.x, p.y, p.z}, out = {0, 0, 0};
        const int rc = acedTrans(in, &f, &t, disp ? 1 : 0, out);
        if (status != nullptr) *status = rc;
        else EXPECT_EQ(rc, RTNORM) << from << " -> " << to;
        return AcGePoint3d(out[0], out[1], out[2]);
    }

    // A floating viewport in the current layout (a layout is made current first).
    AcDbObjectId addViewport(const AcGePoint3d& center, double width, double height)
    {
        EXPECT_EQ(arx::views::setTiled(db, false), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(arx::views::addFloatingViewport(db, center, width, height, id), Acad::eOk);
        return id;
    }

    int numberOf(AcDbObjectId viewportId)
    {
        AcDbViewport* vp = nullptr;
        if (acdbOpenObject(vp, viewportId, AcDb::kForRead) != Acad::eOk) return -99;
        const int n = vp->number();
        vp->close();
        return n;
    }

    AcDbDatabase* db = nullptr;
};

}  // namespace viewstest
