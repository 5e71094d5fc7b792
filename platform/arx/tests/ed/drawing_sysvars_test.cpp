// CLAYER, CECOLOR and CELTYPE read and write the working drawing; CLAYER refuses a layer that
// is missing or frozen, CECOLOR takes numbers, names and BYLAYER/BYBLOCK, CELTYPE a loaded
// linetype; new entities take what they say. LUNITS, LUPREC, AUNITS and AUPREC keep to their
// ranges.
#include "views_fixture.h"

#include "dbobjptr.h"
#include "dbsymtb.h"
#include "db/symbol_lookup.h"
#include "ed/drawing_sysvars.h"

using viewstest::ViewsTest;

namespace {

class DrawingVariables : public ViewsTest {
protected:
    AcDbObjectId layer(const char* name, bool frozen = false)
    {
        const AcDbObjectId id = arx::db::findOrAddLayer(db, name);
        AcDbObjectPointer<AcDbLayerTableRecord> record(id, AcDb::kForWrite);
        EXPECT_EQ(record.openStatus(), Acad::eOk);
        record->setIsFrozen(frozen);
        return id;
    }
};

}  // namespace

TEST_F(DrawingVariables, ClayerNamesAnExistingLayerThatIsNotFrozen)
{
    EXPECT_EQ(getText("CLAYER"), "0");
    const AcDbObjectId walls = layer("Walls");
    layer("Frozen", true);
    EXPECT_EQ(setText("CLAYER", "walls"), RTNORM);
    EXPECT_EQ(getText("CLAYER"), "Walls") << "the layer's own spelling";
    EXPECT_EQ(db->clayer(), walls);
    EXPECT_NE(setText("CLAYER", "Frozen"), RTNORM);
    EXPECT_NE(setText("CLAYER", "Missing"), RTNORM);
    EXPECT_EQ(getText("CLAYER"), "Walls");

    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    line->setDatabaseDefaults(db);
    EXPECT_EQ(line->layerId(), walls) << "new entities go on the current layer";
    delete line;
}

TEST_F(DrawingVariables, CecolorTakesNumbersNamesAndTheLogicalColours)
{
    EXPECT_EQ(getText("CECOLOR"), "BYLAYER");
    EXPECT_EQ(setText("CECOLOR", "Red"), RTNORM);
    EXPECT_EQ(getText("CECOLOR"), "1");
    EXPECT_EQ(db->cecolor().colorIndex(), 1);
    EXPECT_EQ(setText("CECOLOR", "30"), RTNORM);
    EXPECT_EQ(getText("CECOLOR"), "30");
    EXPECT_EQ(setText("CECOLOR", "byblock"), RTNORM);
    EXPECT_EQ(getText("CECOLOR"), "BYBLOCK");
    for (const char* wrong : {"0", "256", "-1", "purple", "", "12x"})
        EXPECT_NE(setText("CECOLOR", wrong), RTNORM) << wrong;
    EXPECT_EQ(getText("CECOLOR"), "BYBLOCK");
    EXPECT_EQ(arx::ed::colorFromText("white"), 7);
    EXPECT_EQ(arx::ed::colorText(256), "BYLAYER");
}

TEST_F(DrawingVariables, CeltypeNamesALoadedLinetype)
{
    EXPECT_EQ(getText("CELTYPE"), "ByLayer");
    EXPECT_EQ(setText("CELTYPE", "CONTINUOUS"), RTNORM);
    EXPECT_EQ(getText("CELTYPE"), "Continuous");
    EXPECT_EQ(setText("CELTYPE", "byblock"), RTNORM);
    EXPECT_EQ(getText("CELTYPE"), "ByBlock");
    EXPECT_NE(setText("CELTYPE", "DASHED"), RTNORM) << "not loaded";
    EXPECT_EQ(getText("CELTYPE"), "ByBlock");
}

TEST_F(DrawingVariables, TheUnitVariablesReadAndWriteTheDrawingsHeaderWithinTheirRanges)
{
    EXPECT_EQ(getInt("LUNITS"), 2);
    EXPECT_EQ(getInt("LUPREC"), 4);
    EXPECT_EQ(getInt("AUNITS"), 0);
    EXPECT_EQ(getInt("AUPREC"), 0);
    EXPECT_EQ(setInt("LUNITS", 4), RTNORM);
    EXPECT_EQ(setInt("LUPREC", 8), RTNORM);
    EXPECT_EQ(setInt("AUNITS", 1), RTNORM);
    EXPECT_EQ(setInt("AUPREC", 3), RTNORM);
    EXPECT_EQ(db->lunits(), 4);
    EXPECT_EQ(db->luprec(), 8);
    EXPECT_EQ(db->aunits(), 1);
    EXPECT_EQ(db->auprec(), 3);
    for (auto [name, wrong] : {std::pair{"LUNITS", 0}, {"LUNITS", 6}, {"LUPREC", 9}, {"AUNITS", 5}, {"AUPREC", -1}})
        EXPECT_NE(setInt(name, wrong), RTNORM) << name << " " << wrong;
    EXPECT_EQ(getInt("LUNITS"), 4);
    EXPECT_EQ(getInt("AUPREC"), 3);
}
