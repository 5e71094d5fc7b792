// Extended data: registered applications, replacement per application, removal.
#include "support/db_fixture.h"
#include "support/resbuf_builders.h"

#include <cstring>

#include "acdbads_db.h"
#include "acutads.h"

using dbtest::chain;
using dbtest::DbTest;
using dbtest::text;

namespace {

std::vector<std::string> summary(const resbuf* rb)
{
    std::vector<std::string> out;
    for (; rb; rb = rb->rbnext) {
        std::string line = std::to_string(rb->restype);
        if (rb->restype == 1001 || rb->restype == 1000 || rb->restype == 1002) {
            line += ' ';
            line += rb->resval.rstring;
        }
        if (rb->restype == 1070) {
            line += ' ';
            line += std::to_string(rb->resval.rint);
        }
        out.push_back(line);
    }
    return out;
}

}  // namespace

TEST_F(DbTest, ExtendedDataNeedsARegisteredApplication)
{
    AcDbObjectId id = addTestEntity();
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForWrite), Acad::eOk);
    resbuf* xd = chain({text(1001, "PE_URL"), text(1000, "Layout1")});
    EXPECT_EQ(obj->setXData(xd), Acad::eInvalidInput);
    EXPECT_EQ(obj->xData(), nullptr) << "nothing is kept of a refused chain";
    ASSERT_EQ(acdbRegApp("PE_URL"), RTNORM);
    EXPECT_EQ(acdbRegApp("pe_url"), RTERROR) << "already registered";
    ASSERT_EQ(obj->setXData(xd), Acad::eOk);
    acutRelRb(xd);
    obj->close();

    ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForRead), Acad::eOk);
    resbuf* got = obj->xData("pe_url");
    EXPECT_EQ(summary(got), (std::vector<std::string>{"1001 PE_URL", "1000 Layout1"}));
    acutRelRb(got);
    EXPECT_EQ(obj->xData("ACAD"), nullptr);
    obj->close();
}

TEST_F(DbTest, SetXDataReplacesOnlyTheApplicationsItNames)
{
    acdbRegApp("APP1");
    AcDbObjectId id = addTestEntity();
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForWrite), Acad::eOk);
    resbuf* both = chain({text(1001, "ACAD"), text(1000, "MVIEW"), text(1001, "APP1"), text(1000, "one")});
    ASSERT_EQ(obj->setXData(both), Acad::eOk);
    acutRelRb(both);
    resbuf* i16 = acutNewRb(1070);
    i16->resval.rint = 5;
    resbuf* replace = chain({text(1001, "ACAD"), text(1002, "{"), i16, text(1002, "}")});
    ASSERT_EQ(obj->setXData(replace), Acad::eOk);
    acutRelRb(replace);
    resbuf* all = obj->xData();
    EXPECT_EQ(summary(all),
              (std::vector<std::string>{"1001 ACAD", "1002 {", "1070 5", "1002 }", "1001 APP1", "1000 one"}));
    acutRelRb(all);
    // A 1001 group alone removes that application's data.
    resbuf* remove = text(1001, "APP1");
    ASSERT_EQ(obj->setXData(remove), Acad::eOk);
    acutRelRb(remove);
    EXPECT_EQ(obj->xData("APP1"), nullptr);
    // Unbalanced braces and groups that are not extended data are refused.
    resbuf* unbalanced = chain({text(1001, "ACAD"), text(1002, "{")});
    EXPECT_EQ(obj->setXData(unbalanced), Acad::eInvalidInput);
    acutRelRb(unbalanced);
    resbuf* notXData = chain({text(1001, "ACAD"), text(8, "0")});
    EXPECT_EQ(obj->setXData(notXData), Acad::eInvalidInput);
    acutRelRb(notXData);
    resbuf* noApp = text(1000, "x");
    EXPECT_EQ(obj->setXData(noApp), Acad::eInvalidInput);
    acutRelRb(noApp);
    obj->close();
}

TEST_F(DbTest, ExtendedDataModificationIsAnnouncedAndSizeIsLimited)
{
    AcDbObjectId id = addTestEntity();
    DbTestTransientReactor log;
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForWrite), Acad::eOk);
    obj->addReactor(&log);
    std::string big(250, 'x');
    resbuf* huge = text(1001, "ACAD");
    resbuf* tail = huge;
    for (int i = 0; i < 70; ++i) {
        tail->rbnext = text(1000, big.c_str());
        tail = tail->rbnext;
    }
    long size = 0;
    ASSERT_EQ(acdbXdSize(huge, &size), RTNORM);
    EXPECT_GT(size, 16383);
    EXPECT_EQ(obj->setXData(huge), Acad::eInvalidInput) << "more than 16383 bytes";
    acutRelRb(huge);
    resbuf* small = chain({text(1001, "ACAD"), text(1000, "ok")});
    ASSERT_EQ(obj->setXData(small), Acad::eOk);
    acutRelRb(small);
    dbtest::events().clear();
    obj->close();
    EXPECT_NE(std::find(dbtest::events().begin(), dbtest::events().end(), "T:modifiedXData " + dbtest::handleOf(id)),
              dbtest::events().end());
    ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForRead), Acad::eOk);
    obj->removeReactor(&log);
    obj->close();
}
