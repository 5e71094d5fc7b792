// The fixture of the database tests: a new drawing as the working database, the test
// classes registered, the event log emptied, and short helpers.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "dbapserv.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "support/test_classes.h"

namespace dbtest {

// What acutPrintf printed (the test's stand-in collects it).
std::string& printed();

class DbTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    AcDbObjectId modelSpaceId() const;
    AcDbObjectId paperSpaceId() const;
    // A closed DbTestEntity appended to the block (model space by default).
    AcDbObjectId addTestEntity(double value = 0.0, AcDbObjectId block = AcDbObjectId());
    AcDbObjectId addLayer(const char* name, bool locked = false);
    AcDbObjectId addReactorObject();
    double valueOf(AcDbObjectId id) const;
    int openState(AcDbObjectId id) const;

    AcDbDatabase* db = nullptr;
};

}  // namespace dbtest
