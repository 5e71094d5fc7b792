// Shared ground of the mark tests: a new drawing as the working database with the mark class
// registered, the command line captured, stand-in view variables, and whole-mark helpers.
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>

#include "dbmain.h"
#include "lisp/interpreter.h"
#include "mark/vadu_kestra.h"

namespace marktest {

// The values the view variables answer with (VIEWMODE, VIEWDIR, TARGET, FRONTZ, BACKZ,
// LENSLENGTH, VIEWSIZE, ELEVATION); a name in `unreadable` cannot be read.
struct ViewVariables {
    int viewMode = 0;
    AcGePoint3d viewDir{0.0, 0.0, 1.0};
    AcGePoint3d target;
    double frontZ = 0.0;
    double backZ = 0.0;
    double lensLength = 50.0;
    double viewSize = 100.0;
    double elevation = 0.0;
    std::set<std::string> unreadable;
};

// The stand-in view variables; each test starts with the defaults.
ViewVariables& viewVariables();

class MarkTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // What the command line received since the test started (or since the last take).
    std::string takePrinted();
    AcDbObjectId modelSpaceId() const;
    // Appends the entity to model space and closes it.
    AcDbObjectId append(AcDbEntity* entity);
    AcDbDatabase* db = nullptr;
};

// With an AutoLISP interpreter current for the ADS symbol calls (acedGetSym).
class MarkLispTest : public MarkTest {
protected:
    void SetUp() override;
    void TearDown() override;
    void evaluate(const char* expression);
    // No interpreter: AutoLISP symbols cannot be read.
    void withoutInterpreter();

private:
    std::unique_ptr<arx::lisp::Interpreter> interpreter_;
};

// Where a mark lies: its centre, plane normal (any length), the angle of its width on that
// plane, its size and its paper height.
struct Frame {
    AcGePoint3d center;
    AcGeVector3d normal;
    double angle, width, height, paperHeight;
};

// A mark seen as on the sheet: right along the turned X axis of the plane, up along
// normal x right, so that the corners wind about the normal. Made with `make` (a VaduKestra
// unless told otherwise).
VaduKestra* markOf(const Frame& f, VaduKestra* (*make)() = nullptr);

// Any centre within a thousand units, any normal, any angle, sides from 1 to 500.
Frame randomFrame(std::mt19937& random);

// A mark with a distinct value in every filed field, the transient ones set too.
// outlineBlock may be null.
VaduKestra* markWithEveryField(AcDbObjectId outlineBlock = AcDbObjectId());

// Every filed field equal (points, vectors and numbers exactly).
void expectSameFiledFields(const VaduKestra& expected, const VaduKestra& actual);

}  // namespace marktest
