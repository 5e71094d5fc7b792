// MOVE, COPY, ROTATE, SCALE, MIRROR, STRETCH, EXPLODE and LIST run in-process on typed input:
// their prompts, what they do to lines, circles and polylines, the notifications the objects'
// reactors hear (and CMDNAMES meanwhile), and U taking each back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>

#include <unistd.h>

#include "acdbads_db.h"
#include "aced.h"
#include "acedads.h"
#include "ap/document_manager.h"
#include "dbapserv.h"
#include "dbdict.h"
#include "dbents.h"
#include "dbobjptr.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "ed/command_processor.h"
#include "ed/console.h"
#include "ed/input.h"
#include "ed/sysvars.h"
#include "host.h"
#include "host_session_fixture.h"
#include "support/test_classes.h"

namespace {

using hosttest::printed;

// Notes the command names active when an object is opened for modify.
class CommandWitness : public AcDbObjectReactor {
public:
    void openedForModify(const AcDbObject*) override
    {
        heard.push_back(arx::ed::SysVars::instance().getString("CMDNAMES").value_or("?") + " " +
                        std::to_string(arx::ed::SysVars::instance().getInt("CMDACTIVE").value_or(-1)));
    }
    std::vector<std::string> heard;
};

class ModifyCommands : public hosttest::HostSessionTest {
protected:
    // Appends an entity to model space, watched by a persistent reactor and the witness.
    AcDbObjectId add(AcDbEntity* entity) { return addWatched(entity, witness); }
    AcDbObjectId addLine(AcGePoint3d a, AcGePoint3d b) { return add(new AcDbLine(a, b)); }
    AcDbObjectId addCircle(AcGePoint3d c, double r) { return add(new AcDbCircle(c, AcGeVector3d::kZAxis, r)); }

    static std::pair<AcGePoint3d, AcGePoint3d> ends(AcDbObjectId id)
    {
        AcDbObjectPointer<AcDbLine> line(id, AcDb::kForRead);
        EXPECT_EQ(line.openStatus(), Acad::eOk);
        return {line->startPoint(), line->endPoint()};
    }
    static std::pair<AcGePoint3d, double> circleOf(AcDbObjectId id)
    {
        AcDbObjectPointer<AcDbCircle> circle(id, AcDb::kForRead);
        EXPECT_EQ(circle.openStatus(), Acad::eOk);
        return {circle->center(), circle->radius()};
    }
    // The live entities of model space, oldest first.
    std::vector<AcDbObjectId> modelEntities() const
    {
        std::vector<AcDbObjectId> out;
        AcDbObjectPointer<AcDbBlockTableRecord> space(db->currentSpaceId(), AcDb::kForRead);
        AcDbBlockTableRecordIterator* it = nullptr;
        space->newIterator(it);
        for (; !it->done(); it->step()) {
            AcDbObjectId id;
            it->getEntityId(id);
            if (!id.isErased()) out.push_back(id);
        }
        delete it;
        return out;
    }
    std::vector<std::string> eventsStartingWith(const std::string& prefix) const
    {
        std::vector<std::string> out;
        for (const std::string& e : dbtest::events())
            if (e.rfind(prefix, 0) == 0) out.push_back(e);
        return out;
    }

    CommandWitness witness;
};

// A point within the default tolerance of the coordinates given.
#define EXPECT_POINT(actual, px, py, pz)                                                                               \
    do {                                                                                                               \
        const AcGePoint3d got = (actual);                                                                              \
        EXPECT_TRUE(got.isEqualTo(AcGePoint3d(px, py, pz))) << got.x << "," << got.y << "," << got.z;                  \
    } while (false)

TEST_F(ModifyCommands, MoveAsksTheHostsPromptsAndTransformsWhileOpenForWrite)
{
    const AcDbObjectId id = addLine({0, 0, 0}, {10, 0, 0});
    const std::string h = dbtest::handleOf(id);
    dbtest::events().clear();
    typed("MOVE\nL\n\n1,1\n6,3\n");
    EXPECT_POINT(ends(id).first, 5, 2, 0);
    EXPECT_POINT(ends(id).second, 15, 2, 0);
    EXPECT_EQ(printed(), "Command: MOVE\nSelect objects: L\n1 found\nSelect objects: \n"
                         "Specify base point or displacement: 1,1\n"
                         "Specify second point of displacement or <use first point as displacement>: 6,3\n"
                         "Command: \n");
    EXPECT_EQ(dbtest::events(), (std::vector<std::string>{"P:openedForModify " + h, "P:modified " + h}));
    EXPECT_EQ(witness.heard, (std::vector<std::string>{"MOVE 1"}));

    // Enter at the second point takes the first as the displacement; U takes both moves back.
    typed("MOVE\nL\n\n0,-2\n\nU\nU\n");
    EXPECT_POINT(ends(id).first, 0, 0, 0);
    EXPECT_NE(printed().find("Command: U\nMOVE\nCommand: U\nMOVE\n"), std::string::npos) << printed();
}

TEST_F(ModifyCommands, CopyOnceAndMultipleCloneThenMoveTheCopies)
{
    const AcDbObjectId id = addCircle({0, 0, 0}, 1.0);
    const std::string h = dbtest::handleOf(id);
    dbtest::events().clear();
    typed("COPY\nL\n\n0,0\n5,0\n");
    auto entities = modelEntities();
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_POINT(circleOf(entities[0]).first, 0, 0, 0);
    EXPECT_POINT(circleOf(entities[1]).first, 5, 0, 0);
    EXPECT_EQ(eventsStartingWith("P:copied"),
              (std::vector<std::string>{"P:copied " + h + " " + dbtest::handleOf(entities[1])}));
    EXPECT_EQ(std::count(dbtest::events().begin(), dbtest::events().end(), "P:openedForModify " + h), 0)
        << "the original is not changed";

    printed().clear();
    typed("COPY\nP\n\nM\n0,0\n0,10\n0,20\n\n");
    EXPECT_EQ(printed(), "Command: COPY\nSelect objects: P\n1 found\nSelect objects: \n"
                         "Specify base point or displacement, or [Multiple]: M\nSpecify base point: 0,0\n"
                         "Specify second point of displacement or <use first point as displacement>: 0,10\n"
                         "Specify second point of displacement: 0,20\n"
                         "Specify second point of displacement: \nCommand: \n");
    entities = modelEntities();
    ASSERT_EQ(entities.size(), 4u);
    EXPECT_POINT(circleOf(entities[2]).first, 0, 10, 0);
    EXPECT_POINT(circleOf(entities[3]).first, 0, 20, 0);
    typed("U\n");
    EXPECT_EQ(modelEntities().size(), 2u) << "one U takes back every copy of the command";
}

TEST_F(ModifyCommands, RotateByAngleByPointAndByReference)
{
    const AcDbObjectId id = addLine({0, 0, 0}, {10, 0, 0});
    typed("ROTATE\nL\n\n0,0\n90\n");
    EXPECT_POINT(ends(id).second, 0, 10, 0);
    EXPECT_EQ(printed().rfind("Command: ROTATE\nCurrent positive angle in UCS:  ANGDIR=counterclockwise  ANGBASE=0\n"
                              "Select objects: ",
                              0),
              0u)
        << printed();
    typed("ROTATE\nL\n\n0,0\n-1,0\n");  // a point: the angle from the base point to it
    EXPECT_POINT(ends(id).second, 0, -10, 0);
    printed().clear();
    typed("ROTATE\nL\n\n0,0\nR\n180\n225\n");
    EXPECT_POINT(ends(id).second, std::sqrt(50.0), -std::sqrt(50.0), 0);
    EXPECT_NE(printed().find("Specify rotation angle or [Reference]: R\nSpecify the reference angle <0>: 180\n"
                             "Specify the new angle: 225\n"),
              std::string::npos)
        << printed();
    typed("U\nU\nU\n");
    EXPECT_POINT(ends(id).second, 10, 0, 0);
}

TEST_F(ModifyCommands, ScaleByFactorAndReferenceRefusesNonPositiveFactors)
{
    const AcDbObjectId id = addCircle({2, 0, 0}, 1.0);
    typed("SCALE\nL\n\n0,0\n0\n-2\n3\n");
    EXPECT_POINT(circleOf(id).first, 6, 0, 0);
    EXPECT_DOUBLE_EQ(circleOf(id).second, 3.0);
    EXPECT_NE(printed().find("Specify scale factor or [Reference]: 0\nValue must be positive and nonzero.\n"),
              std::string::npos)
        << printed();
    printed().clear();
    typed("SCALE\nL\n\n0,0\nR\n6\n2\n");
    EXPECT_DOUBLE_EQ(circleOf(id).second, 1.0);
    EXPECT_NE(printed().find("Specify reference length <1>: 6\nSpecify new length: 2\n"), std::string::npos)
        << printed();
    typed("SCALE\nL\n\n0,0\nR\n0,0\n4,0\n0,8\n");  // reference by two points, new length by a point
    EXPECT_DOUBLE_EQ(circleOf(id).second, 2.0);
}

TEST_F(ModifyCommands, MirrorKeepsTheSourceByDefaultAndMirrorsItWhenAskedToDelete)
{
    const AcDbObjectId id = addLine({1, 1, 0}, {3, 2, 0});
    typed("MIRROR\nL\n\n0,0\n0,5\n\n");
    auto entities = modelEntities();
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_POINT(ends(id).first, 1, 1, 0);
    EXPECT_POINT(ends(entities[1]).first, -1, 1, 0);
    EXPECT_POINT(ends(entities[1]).second, -3, 2, 0);
    EXPECT_NE(printed().find("Specify first point of mirror line: 0,0\nSpecify second point of mirror line: 0,5\n"
                             "Delete source objects? [Yes/No] <N>: \n"),
              std::string::npos)
        << printed();
    dbtest::events().clear();
    witness.heard.clear();
    typed("MIRROR\n1,1\n\n0,0\n5,0\nY\n");
    EXPECT_POINT(ends(id).second, 3, -2, 0);
    EXPECT_EQ(modelEntities().size(), 2u);
    EXPECT_EQ(witness.heard, (std::vector<std::string>{"MIRROR 1"}));
    typed("MIRROR\n1,-1\n\n2,2\n2,2\n2,3\nN\n");
    EXPECT_NE(printed().find("Mirror line must have two distinct points.\n"), std::string::npos) << printed();
}

TEST_F(ModifyCommands, StretchMovesThePointsInsideTheCrossingAndWholeObjectsInside)
{
    const AcDbObjectId line = addLine({0, 0, 0}, {10, 0, 0});
    const AcDbObjectId inside = addCircle({12, 0, 0}, 1.0);
    const AcDbObjectId outside = addCircle({30, 0, 0}, 1.0);
    typed("STRETCH\nC\n8,-2\n14,2\n\n0,0\n0,5\n");
    EXPECT_POINT(ends(line).first, 0, 0, 0);
    EXPECT_POINT(ends(line).second, 10, 5, 0);
    EXPECT_POINT(circleOf(inside).first, 12, 5, 0);
    EXPECT_POINT(circleOf(outside).first, 30, 0, 0);
    EXPECT_EQ(printed().rfind("Command: STRETCH\nSelect objects to stretch by crossing-window or crossing-polygon...\n"
                              "Select objects: C\nFirst corner: 8,-2\nSpecify opposite corner: 14,2\n2 found\n",
                              0),
              0u)
        << printed();

    // A crossing polygon around the line's start: only that end moves.
    printed().clear();
    typed("STRETCH\nCP\n-1,-1\n1,-1\n1,1\n-1,1\n\n\n1,0\n\n");
    EXPECT_POINT(ends(line).first, 1, 0, 0);
    EXPECT_POINT(ends(line).second, 10, 5, 0);
    EXPECT_NE(
        printed().find("Select objects: CP\nFirst polygon point: -1,-1\nSpecify endpoint of line or [Undo]: 1,-1\n"),
        std::string::npos)
        << printed();
    typed("U\nU\n");
    EXPECT_POINT(ends(line).first, 0, 0, 0);
    EXPECT_POINT(ends(line).second, 10, 0, 0);
    EXPECT_POINT(circleOf(inside).first, 12, 0, 0);
}

TEST_F(ModifyCommands, WindowPolygonSelectsOnlyWhatLiesWhollyInside)
{
    addLine({0, 0, 0}, {10, 0, 0});
    const AcDbObjectId small = addCircle({3, 3, 0}, 1.0);
    typed("ERASE\nWP\n0,1\n6,1\n6,6\n0,6\n\n\n");
    EXPECT_TRUE(small.isErased());
    EXPECT_EQ(modelEntities().size(), 1u);
}

TEST_F(ModifyCommands, ExplodeReplacesAPolylineByItsPiecesAndUndoBringsItBack)
{
    auto* polyline = new AcDbPolyline;
    polyline->addVertexAt(0, AcGePoint2d(0, 0));
    polyline->addVertexAt(1, AcGePoint2d(4, 0));
    polyline->addVertexAt(2, AcGePoint2d(4, 3));
    const AcDbObjectId id = add(polyline);
    const AcDbObjectId circle = addCircle({20, 0, 0}, 1.0);
    typed("EXPLODE\nALL\n\n");
    EXPECT_TRUE(id.isErased());
    EXPECT_FALSE(circle.isErased());
    const auto entities = modelEntities();
    ASSERT_EQ(entities.size(), 3u);
    EXPECT_POINT(ends(entities[1]).first, 0, 0, 0);
    EXPECT_POINT(ends(entities[2]).second, 4, 3, 0);
    EXPECT_NE(printed().find("1 was not able to be exploded.\n"), std::string::npos) << printed();
    typed("U\n");
    EXPECT_FALSE(id.isErased());
    EXPECT_EQ(modelEntities().size(), 2u);
}

TEST_F(ModifyCommands, ListPrintsEachObjectsReportAndChangesNothing)
{
    const AcDbObjectId id = addLine({0, 0, 0}, {1, 0, 0});
    dbtest::events().clear();
    typed("LIST\nL\n\n");
    EXPECT_NE(printed().find("LINE"), std::string::npos) << printed();
    EXPECT_NE(printed().find("Handle = " + dbtest::handleOf(id)), std::string::npos) << printed();
    EXPECT_TRUE(dbtest::events().empty());
}

TEST_F(ModifyCommands, GripEditDragsACopyInDragModeThenMovesTheHotGrips)
{
    const AcDbObjectId line = addLine({0, 0, 0}, {10, 0, 0});
    typed("GRIPEDIT\nL\n\n3\n\n12,4\n");
    EXPECT_POINT(ends(line).first, 0, 0, 0);
    EXPECT_POINT(ends(line).second, 12, 4, 0);
    EXPECT_NE(printed().find("Grip 1: 0.0000,0.0000,0.0000 (handle " + dbtest::handleOf(line) +
                             ")\n"
                             "Grip 2: 5.0000,0.0000,0.0000 (handle " +
                             dbtest::handleOf(line) +
                             ")\n"
                             "Grip 3: 10.0000,0.0000,0.0000 (handle " +
                             dbtest::handleOf(line) +
                             ")\n"
                             "Select grip (number or point): 3\nSelect grip (number or point): \n** STRETCH **\n"
                             "Specify stretch point or [Base point/eXit]: 12,4\n"),
              std::string::npos)
        << printed();

    // A point picks the grip under the pick box; Base point changes where the displacement starts.
    typed("GRIPEDIT\nL\n\n0,0\n7\n\nB\n1,0\n2,1\n");
    EXPECT_POINT(ends(line).first, 1, 1, 0);
    EXPECT_NE(printed().find("Select grip (number or point): 7\nNo grip there.\n"), std::string::npos) << printed();
    typed("U\nU\n");
    EXPECT_POINT(ends(line).second, 10, 0, 0);
}

TEST_F(ModifyCommands, GripEditCallsMoveGripPointsAtOnADraggedCopyFirst)
{
    auto* entity = new DbTestEntity;
    entity->setPoint(AcGePoint3d(2, 0, 0));
    const AcDbObjectId id = add(entity);
    const std::string h = dbtest::handleOf(id);
    ads_name name, set;
    acdbGetAdsName(name, id);
    ASSERT_EQ(acedSSAdd(name, nullptr, set), RTNORM);
    ASSERT_EQ(acedSSSetFirst(set, nullptr), RTNORM);
    dbtest::events().clear();
    typed("GRIPEDIT\n1\n\n5,0\n");
    acedSSFree(set);
    EXPECT_EQ(dbtest::events(),
              (std::vector<std::string>{"E:moveGripPointsAt 0 3 drag", "E:dragged 5", "P:openedForModify " + h,
                                        "E:moveGripPointsAt 0 3", "P:modified " + h}));
    EXPECT_EQ(witness.heard, (std::vector<std::string>{"GRIP_STRETCH 1"}));
    typed("GRIPEDIT\nL\n\n1\n\nX\n");  // eXit changes nothing
    AcDbObjectPointer<DbTestEntity> moved(id, AcDb::kForRead);
    EXPECT_POINT(moved->point(), 5, 0, 0);
}

// What the editor reactors hear of each command, with CMDNAMES and CMDACTIVE at its start.
class CommandEventWitness : public AcEditorReactor {
public:
    void commandWillStart(const char* name) override
    {
        heard.push_back(std::string("start ") + name + " " +
                        arx::ed::SysVars::instance().getString("CMDNAMES").value_or("?") + " " +
                        std::to_string(arx::ed::SysVars::instance().getInt("CMDACTIVE").value_or(-1)));
    }
    void commandEnded(const char* name) override { heard.push_back(std::string("end ") + name); }
    void commandCancelled(const char* name) override { heard.push_back(std::string("cancel ") + name); }
    std::vector<std::string> heard;
};

// As in the host, choosing objects and grips is no command; the stretch is GRIP_STRETCH, an
// outermost command of its own with one undo group.
TEST_F(ModifyCommands, GripModeStretchIsTheCommandGripStretch)
{
    const AcDbObjectId line = addLine({0, 0, 0}, {10, 0, 0});
    CommandEventWitness events;
    acedEditor->addReactor(&events);
    typed("GRIPEDIT\nL\n\n3\n\n12,4\n");
    typed("GRIPEDIT\nL\n\n7\n\n");  // no grip made hot: no command at all
    acedEditor->removeReactor(&events);
    EXPECT_EQ(events.heard, (std::vector<std::string>{"start GRIP_STRETCH GRIP_STRETCH 1", "end GRIP_STRETCH"}));
    EXPECT_POINT(ends(line).second, 12, 4, 0);
    typed("U\n");
    EXPECT_POINT(ends(line).second, 10, 0, 0);
}

TEST_F(ModifyCommands, ObjectSnapsTypedBeforeAPointSnapToTheObjectUnderTheAperture)
{
    addLine({0, 0, 0}, {10, 0, 0});
    const AcDbObjectId circle = addCircle({20, 0, 0}, 2.0);
    // The aperture touches the circle: its centre; the line: its endpoint nearest the pick.
    typed("MOVE\n20,2\n\n_cen\n21.97,0.3\n_end\n9,0.05\n");
    EXPECT_POINT(circleOf(circle).first, 10, 0, 0);
    EXPECT_NE(printed().find("Specify base point or displacement: _cen\nof 21.97,0.3\n"
                             "Specify second point of displacement or <use first point as displacement>: _end\n"
                             "of 9,0.05\n"),
              std::string::npos)
        << printed();
    typed("MOVE\nL\n\n3,5\nPER\n5,0.02\n");  // the foot of the perpendicular from the base point
    EXPECT_POINT(circleOf(circle).first, 10, -5, 0);
    typed("MOVE\nL\n\nmid\n2,0.02\nNEArest\n7,0.05\n");
    EXPECT_POINT(circleOf(circle).first, 12, -5, 0);
    // Nothing under the aperture: the prompt is asked again.
    printed().clear();
    typed("MOVE\nL\n\nEND\n50,50\n0,0\n1,0\n");
    EXPECT_POINT(circleOf(circle).first, 13, -5, 0);
    EXPECT_NE(
        printed().find("Specify base point or displacement: END\nof 50,50\nSpecify base point or displacement: 0,0\n"),
        std::string::npos)
        << printed();
}

// Hears saves, noting whether the file existed yet.
class SaveWitness : public AcEditorReactor {
public:
    void beginSave(AcDbDatabase*, const char* name) override
    {
        heard.push_back(std::string("begin ") + (std::filesystem::exists(name) ? "exists" : "absent"));
    }
    void saveComplete(AcDbDatabase*, const char* name) override
    {
        heard.push_back(std::string("complete ") + (std::filesystem::exists(name) ? "exists" : "absent"));
    }
    std::vector<std::string> heard;
};

TEST_F(ModifyCommands, SavingTellsTheEditorReactorsBeforeTheFileIsWrittenAndAfter)
{
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("kestra_save_" + std::to_string(::getpid()) + ".dxf");
    std::filesystem::remove(file);
    SaveWitness saves;
    acedEditor->addReactor(&saves);
    typed("SAVEAS\n" + file.string() + "\nQSAVE\n");
    acedEditor->removeReactor(&saves);
    EXPECT_EQ(saves.heard,
              (std::vector<std::string>{"begin absent", "complete exists", "begin exists", "complete exists"}));
    std::filesystem::remove(file);
}

}  // namespace
