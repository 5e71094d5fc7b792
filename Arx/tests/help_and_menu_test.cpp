// KSHELP, KSMENU? and KSMENU on the stand-in host: the help file found beside the module (the
// compiled one first), the file dialog when neither is there, and the menu file loaded once.
#include <filesystem>
#include <fstream>

#include "acedads.h"
#include "ap/menu_model.h"
#include "assoc_test_support.h"
#include "shell/kestra_module.h"
#include "shell/starter_menu.h"
#include "commands/command_routines.h"

namespace {

namespace fs = std::filesystem;
using assoctest::takePrinted;

class HelpAndMenuTest : public assoctest::AssocHostTest {
protected:
    void SetUp() override
    {
        AssocHostTest::SetUp();
        folder_ = fs::temp_directory_path() / ("kestra_help_" + std::to_string(::getpid()) + "_" +
                                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
        kestra::KestraModule& module = *kestra::kestraModule();
        saved_[0] = module.modulePath;
        saved_[1] = module.moduleFolder;
        saved_[2] = module.moduleFileName;
        module.modulePath = (folder_ / "Kestra2000.arx").string();
        module.moduleFolder = folder_.string() + "/";
        module.moduleFileName = "Kestra2000.arx";
        arx::ap::MenuModel::instance().reset();
    }
    void TearDown() override
    {
        kestra::KestraModule& module = *kestra::kestraModule();
        module.modulePath = saved_[0];
        module.moduleFolder = saved_[1];
        module.moduleFileName = saved_[2];
        arx::ap::MenuModel::instance().reset();
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
        AssocHostTest::TearDown();
    }
    std::string write(const std::string& name, const std::string& text = "help")
    {
        std::ofstream(folder_ / name) << text;
        return (folder_ / name).string();
    }
    std::string stem() const { return (folder_ / "Kestra2000").string(); }
    // The starter menu lives in the host's own group; the full menu has a "&Kestra" of its own.
    bool starterMenuOnBar() const
    {
        const auto& model = arx::ap::MenuModel::instance();
        for (const auto& menu : model.findGroup("ACAD")->menus)
            if (menu->name == "&Kestra") return model.onMenuBar(menu.get());
        return false;
    }

    fs::path folder_;
    std::string saved_[3];
};

constexpr const char* kMenuFile =
    "***MENUGROUP=Kestra\n***POP1\n**KESTRA_MAIN\nID_Kestra [&Kestra]\nID_KsMake [&Mark viewports]^C^C_KSMAKE\n";

}  // namespace

TEST_F(HelpAndMenuTest, TheCompiledHelpBesideTheModuleOpensAtTheTopic)
{
    const std::string compiled = write("Kestra2000.chm");
    write("Kestra2000.hlp");
    typed("KSHELP\nKSMENU?\n");
    kestra::showHelp(nullptr, 0);
    kestra::showHelp("", 0);
    EXPECT_EQ(takePrinted(), "Command: KSHELP\nHTML Help: " + compiled + ", topic html\\ks_tbglance.htm\n" +
                                 "Command: KSMENU?\nHTML Help: " + compiled + ", topic IDH_KSMENU\n" +
                                 "Command: \nHelp: " + compiled + ", contents\nHelp: " + compiled + ", contents\n");
}

TEST_F(HelpAndMenuTest, WithoutTheCompiledHelpTheOlderHelpFileOpensAtTheTopic)
{
    const std::string older = write("Kestra2000.hlp");
    typed("KSHELP\n");
    EXPECT_EQ(takePrinted(), "Command: KSHELP\nHelp: " + older + ", topic html\\ks_tbglance.htm\nCommand: \n");
}

TEST_F(HelpAndMenuTest, WithNeitherHelpFileTheUserIsAskedForOne)
{
    typed("KSHELP\n\n");
    std::string printed = takePrinted();
    EXPECT_NE(printed.find("Cannot find the help file: " + stem() + ".chm \nor: " + stem() + ".hlp !\n" +
                           "File dialog: Get the Kestra help file\n"),
              std::string::npos)
        << printed;
    EXPECT_EQ(printed.find("Help: "), std::string::npos) << "cancelled: nothing opens";

    const std::string elsewhere = write("Manual.htm");
    typed("KSHELP\n" + elsewhere + "\n");
    printed = takePrinted();
    EXPECT_NE(printed.find("Help: " + elsewhere + ", contents\n"), std::string::npos) << printed;
}

TEST_F(HelpAndMenuTest, TheMenuFileBesideTheModuleIsLoadedOnce)
{
    kestra::installStarterMenuWhenNeeded();
    ASSERT_TRUE(starterMenuOnBar());
    // Not there yet: the user is asked, and cancels.
    typed("KSMENU\n\n");
    std::string printed = takePrinted();
    EXPECT_NE(printed.find("Cannot find the menu file: " + folder_.string() + "/Kestra.mns !\n" +
                           "File dialog: Get the Kestra menu file\n"),
              std::string::npos)
        << printed;
    EXPECT_EQ(printed.find("MENULOAD"), std::string::npos);
    EXPECT_EQ(acedIsMenuGroupLoaded("Kestra"), 0);
    EXPECT_TRUE(starterMenuOnBar());

    write("Kestra.mns", kMenuFile);
    typed("KSMENU\n");
    EXPECT_EQ(acedIsMenuGroupLoaded("Kestra"), 1);
    EXPECT_FALSE(starterMenuOnBar()) << "the full menu replaces the starter menu";
    takePrinted();
    typed("KSMENU\n");
    printed = takePrinted();
    EXPECT_NE(printed.find("The Kestra menu is already loaded.\n"), std::string::npos) << printed;
    EXPECT_EQ(printed.find("MENULOAD"), std::string::npos);
}

TEST_F(HelpAndMenuTest, AMenuFileWithoutTheKestraGroupBringsTheStarterMenuBack)
{
    kestra::installStarterMenuWhenNeeded();
    const std::string other = write("Other.mns", "***MENUGROUP=Other\n");
    typed("KSMENU\n" + other + "\n");
    EXPECT_EQ(acedIsMenuGroupLoaded("Other"), 1);
    EXPECT_EQ(acedIsMenuGroupLoaded("Kestra"), 0);
    EXPECT_TRUE(starterMenuOnBar());
}
