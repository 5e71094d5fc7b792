// The host's support services that modules call: the UCS followed by the view (UCSFOLLOW), the
// support-file search, the file dialog, the help viewers and MENULOAD.
#include <cmath>
#include <cstdlib>
#include <fstream>

#include "acedads.h"
#include "aced.h"
#include "ap/menu_model.h"
#include "host_session_fixture.h"
#include "htmlhelp.h"
#include "windows.h"

namespace hosttest {

namespace {

namespace fs = std::filesystem;

AcGeVector3d pointVariable(const char* name)
{
    resbuf rb;
    EXPECT_EQ(acedGetVar(name, &rb), RTNORM) << name;
    return AcGeVector3d(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
}

int shortVariable(const char* name)
{
    resbuf rb;
    EXPECT_EQ(acedGetVar(name, &rb), RTNORM) << name;
    return rb.resval.rint;
}

void setShort(const char* name, int value)
{
    resbuf rb;
    rb.restype = RTSHORT;
    rb.resval.rint = static_cast<short>(value);
    ASSERT_EQ(acedSetVar(name, &rb), RTNORM) << name;
}

// Where a UCS direction shows on the screen (DCS).
AcGeVector3d onScreen(const AcGeVector3d& ucsDirection)
{
    ads_point in = {ucsDirection.x, ucsDirection.y, ucsDirection.z};
    ads_point out;
    resbuf from, to;
    from.restype = to.restype = RTSHORT;
    from.resval.rint = 1;
    to.resval.rint = 2;
    EXPECT_EQ(acedTrans(in, &from, &to, 1, out), RTNORM);
    return AcGeVector3d(out[0], out[1], out[2]);
}

bool near(const AcGeVector3d& a, const AcGeVector3d& b) { return (a - b).length() < 1e-9; }

// A UCS whose axes point nowhere in particular.
AcGeMatrix3d tiltedUcs()
{
    const AcGeVector3d x = AcGeVector3d(1.0, 2.0, 0.5).normal();
    const AcGeVector3d y = AcGeVector3d(-2.0, 1.0, 3.0).crossProduct(x).crossProduct(x).negate().normal();
    AcGeMatrix3d ucs;
    ucs.setCoordSystem(AcGePoint3d(5.0, -3.0, 2.0), x, y, x.crossProduct(y));
    return ucs;
}

class SupportFiles : public HostSessionTest {
protected:
    void SetUp() override
    {
        HostSessionTest::SetUp();
        folder_ = fs::temp_directory_path() / ("kestra_support_" + std::to_string(::getpid()) + "_" +
                                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
        arx::ap::MenuModel::instance().reset();
    }
    void TearDown() override
    {
        unsetenv("ARXHOST_SUPPORT");
        arx::ap::MenuModel::instance().reset();
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
        HostSessionTest::TearDown();
    }
    std::string write(const std::string& name, const std::string& text)
    {
        const fs::path path = folder_ / name;
        std::ofstream(path) << text;
        return path.string();
    }
    // Runs a host call with the given answers as typed input.
    template <class Call>
    auto answering(const std::string& answers, Call call)
    {
        std::istringstream in(answers);
        arx::ed::TypedInput input(in);
        arx::ed::InputScope scope(&input);
        return call();
    }

    fs::path folder_;
};

}  // namespace

TEST_F(SupportFiles, UcsFollowTurnsTheViewToThePlanOfEachNewUcs)
{
    setShort("UCSFOLLOW", 1);
    ASSERT_EQ(acedSetCurrentUCS(tiltedUcs()), Acad::eOk);
    // The view looks down the new Z axis with the new X axis to the right.
    EXPECT_TRUE(near(pointVariable("VIEWDIR"), AcGeVector3d::kZAxis)) << "VIEWDIR is read in the UCS";
    EXPECT_TRUE(near(onScreen(AcGeVector3d::kXAxis), AcGeVector3d::kXAxis));
    EXPECT_TRUE(near(onScreen(AcGeVector3d::kYAxis), AcGeVector3d::kYAxis));
    EXPECT_EQ(shortVariable("UCSFOLLOW"), 1);

    // Going back to the world follows too.
    ASSERT_EQ(acedRestorePreviousUCS(), Acad::eOk);
    EXPECT_TRUE(near(pointVariable("VIEWDIR"), AcGeVector3d::kZAxis));
    resbuf twist;
    ASSERT_EQ(acedGetVar("VIEWTWIST", &twist), RTNORM);
    EXPECT_NEAR(std::remainder(twist.resval.rreal, 2 * M_PI), 0.0, 1e-9);
}

TEST_F(SupportFiles, WithoutUcsFollowTheViewStaysWhereItWas)
{
    ASSERT_EQ(shortVariable("UCSFOLLOW"), 0);
    const ads_point target = {10.0, 20.0, 0.0};
    ASSERT_EQ(acedCommand(RTSTR, "._ZOOM", RTSTR, "_C", RT3DPOINT, target, RTREAL, 7.0, RTNONE), RTNORM);
    const AcGeVector3d center = pointVariable("VIEWCTR");
    ASSERT_EQ(acedSetCurrentUCS(tiltedUcs()), Acad::eOk);
    ASSERT_EQ(acedRestorePreviousUCS(), Acad::eOk);
    EXPECT_TRUE(near(pointVariable("VIEWCTR"), center));
    resbuf size;
    ASSERT_EQ(acedGetVar("VIEWSIZE", &size), RTNORM);
    EXPECT_DOUBLE_EQ(size.resval.rreal, 7.0);
}

TEST_F(SupportFiles, FilesAreFoundAlongTheSearchPath)
{
    const std::string menu = write("Found.mns", "***MENUGROUP=Found\n");
    char result[MAX_PATH] = "";
    EXPECT_EQ(acedFindFile("Found.mns", result), RTERROR) << "not on the path yet";
    setenv("ARXHOST_SUPPORT", ("/no/such/folder:" + folder_.string()).c_str(), 1);
    ASSERT_EQ(acedFindFile("Found.mns", result), RTNORM);
    EXPECT_EQ(fs::path(result), fs::path(menu));
    // A name with a folder is taken as it is, also with backslashes.
    std::string windowsStyle = menu;
    for (char& c : windowsStyle)
        if (c == '/') c = '\\';
    ASSERT_EQ(acedFindFile(windowsStyle.c_str(), result), RTNORM);
    EXPECT_EQ(acedFindFile((folder_ / "Missing.mns").string().c_str(), result), RTERROR);
    EXPECT_EQ(acedFindFile((folder_.string() + "/").c_str(), result), RTERROR) << "a folder is not a file";
}

TEST_F(SupportFiles, TheFileDialogReadsTheFileNameAndEnterCancels)
{
    resbuf result;
    result.restype = RTNONE;
    EXPECT_EQ(answering("\n", [&] { return acedGetFileD("Pick a menu", "", "mns;mnu", 2, &result); }), RTERROR);
    EXPECT_NE(printed().find("File dialog: Pick a menu"), std::string::npos) << printed();
    EXPECT_EQ(result.restype, RTNONE);

    // A missing file is refused and asked for again; the first extension is added to a bare name.
    const std::string menu = write("Chosen.mns", "***MENUGROUP=Chosen\n");
    const std::string bare = (folder_ / "Chosen").string();
    printed().clear();
    ASSERT_EQ(answering((folder_ / "Other.mns").string() + "\n" + bare + "\n",
                        [&] { return acedGetFileD("Pick a menu", "", "mns;mnu", 2, &result); }),
              RTNORM);
    ASSERT_EQ(result.restype, RTSTR);
    EXPECT_EQ(std::string(result.resval.rstring), menu);
    std::free(result.resval.rstring);
    EXPECT_NE(printed().find("File \"" + (folder_ / "Other.mns").string() + "\" not found.\n"), std::string::npos)
        << printed();
}

TEST_F(SupportFiles, HelpViewersSayWhatTheyOpen)
{
    const std::string help = write("Guide.hlp", "help");
    const std::string compiled = write("Guide.chm", "help");
    EXPECT_EQ(acedHelp(help.c_str(), "html\\intro.htm", 0), RTNORM);
    EXPECT_EQ(acedHelp(compiled.c_str(), "", 0), RTNORM);
    EXPECT_EQ(acedHelp((folder_ / "None.hlp").string().c_str(), "", 0), RTERROR);
    EXPECT_EQ(printed(), "Help: " + help + ", topic html\\intro.htm\nHelp: " + compiled + ", contents\n" +
                             "Help: cannot open the file \"" + (folder_ / "None.hlp").string() + "\".\n");

    // The HTML help viewer, reached as programs reach it: by its library and ordinal.
    printed().clear();
    HMODULE library = LoadLibraryA("HHCtrl.ocx");
    ASSERT_NE(library, nullptr);
    using Viewer = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
    auto viewer = reinterpret_cast<Viewer>(GetProcAddress(library, MAKEINTRESOURCEA(HH_HTMLHELPA_ORDINAL)));
    ASSERT_EQ(viewer, &HtmlHelpA);
    EXPECT_NE(viewer(GetDesktopWindow(), (compiled + "::/IDH_TOPIC").c_str(), HH_DISPLAY_TOPIC, 0), nullptr);
    EXPECT_EQ(viewer(GetDesktopWindow(), (folder_ / "None.chm").string().c_str(), HH_DISPLAY_TOPIC, 0), nullptr);
    EXPECT_EQ(printed(), "HTML Help: " + compiled + ", topic IDH_TOPIC\nHTML Help: cannot open the file \"" +
                             (folder_ / "None.chm").string() + "\".\n");
    EXPECT_EQ(GetProcAddress(library, MAKEINTRESOURCEA(15)), nullptr);
    EXPECT_EQ(GetProcAddress(library, "HtmlHelpW"), nullptr);
    EXPECT_TRUE(FreeLibrary(library));
    EXPECT_FALSE(FreeLibrary(library)) << "loaded once, freed once";
    EXPECT_EQ(LoadLibraryA("nosuch.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST_F(SupportFiles, MenuLoadMakesTheFilesMenuGroupLoaded)
{
    const std::string menu =
        write("Tools.mns", "// a partial menu\r\n***MENUGROUP=Tools\r\n\r\n***POP1\r\n**TOOLS\r\n"
                           "ID_Tools [&Tools2]\r\nID_One [&One]^C^CONE\r\n[--]\r\nID_Two [T&wo]^C^CTWO\r\n"
                           "***HELPSTRINGS\r\nID_One [not an item]\r\n");
    const std::string nameless = write("Nameless.mnu", "***POP1\n[&Menu]\n");
    auto& model = arx::ap::MenuModel::instance();
    const size_t barBefore = model.menuBar().size();
    typed("MENULOAD\n" + nameless + "\nMENULOAD\n" + (folder_ / "Absent").string() + "\nMENULOAD\n" + menu +
          "\nMENULOAD\n" + menu + "\n");
    EXPECT_EQ(acedIsMenuGroupLoaded("TOOLS"), 1);
    EXPECT_EQ(acedIsMenuGroupLoaded("Nameless"), 0);
    EXPECT_NE(printed().find("Command: MENULOAD\nEnter name of menu file to load: " + nameless + "\nMenu file \"" +
                             nameless + "\" has no ***MENUGROUP label."),
              std::string::npos)
        << printed();
    EXPECT_NE(printed().find("Unable to find menu file \"" + (folder_ / "Absent").string() + "\"."), std::string::npos);
    EXPECT_NE(printed().find("Menu group \"Tools\" is already loaded."), std::string::npos);

    // Its pull-down menu stands on the menu bar before the last entry, with its items.
    ASSERT_EQ(model.menuBar().size(), barBefore + 1);
    const auto& pop = model.menuBar()[barBefore - 1];
    EXPECT_EQ(pop->name, "&Tools2");
    ASSERT_EQ(pop->items.size(), 3u);
    EXPECT_EQ(pop->items[0].label, "&One");
    EXPECT_EQ(pop->items[0].macro, "^C^CONE");
    EXPECT_EQ(pop->items[1].type, arx::ap::MenuItem::Type::Separator);

    // A bare name is looked for as .mns, then .mnu, along the search path.
    write("Extra.mnu", "***MENUGROUP=Extra\n");
    setenv("ARXHOST_SUPPORT", folder_.string().c_str(), 1);
    typed("MENULOAD\nExtra\n");
    EXPECT_EQ(acedIsMenuGroupLoaded("Extra"), 1);
}

}  // namespace hosttest
