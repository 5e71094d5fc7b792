// Loads the built Kestra2000.arx into this process through the host's dynamic linker, as the
// host does, and checks start-up and KSUNLOAD. A loaded module stays locked in its process, so
// each scenario runs in a child process of its own.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "accmd.h"
#include "acedads.h"
#include "afxheadless.h"
#include "registry_fixture.h"
#include "rxregsvc.h"

namespace {

const char* const kStartUpTranscript =
    "Kestra loaded.  Viewport marks for paper-space layouts. (C) 2004 Zentrel.\n"
    "Version number:  15.06.04.05 2004/03/04.\n"
    "Type KSLIST for command list.\n"
    "\n"
    "The available commands are:\n"
    "\t> Command   Alias  Signification\n"
    "\t> --------- -----  ------------------------------------------------ \n"
    "\t> KSMAKE    KS1    Creates an Kestra.\n"
    "\t> KSREFRESH KS2    Restores original floating viewport views in paper space.\n"
    "\t> KSSCALE   KS3    Specifies the scale of the Kestra object.\n"
    "\t> KSPLAN    KS4    Aligns the view on the plane of the Kestra object.\n"
    "\t> KSUCS     KS5    Defines the UCS on the plane of the Kestra object.\n"
    "\t> KSVIEWUCS KS6    Defines the plan view and the UCS on the Kestra object.\n"
    "\t> KSMENU    KS7    Loads the Kestra menu.\n"
    "\t> KSLIST    KS8    Displays the command list of the Kestra object.\n"
    "\t> KSVERSION KS9    Displays the version number of the Kestra2000.arx.\n"
    "\t> KSGOTO    KS10   Go to parent Layout of the selected Kestra object.\n"
    "\t> KSOPTIONS KS11   Manage parameters of Kestra.\n"
    "\t> KSHELP    KS?    Provides information on the Kestra object.\n"
    "\t> KSABOUT          About Kestra.\n"
    "\t> KSLOGO           Launch the application without first displaying the logo screen.\n"
    "\n";

const char* const kCommands[] = {"KSMAKE",   "KS1",      "KSREFRESH", "KS2",       "KSSCALE", "KS3",    "KSPLAN",
                                 "KS4",      "KSUCS",    "KS5",       "KSVIEWUCS", "KS6",     "KSMENU", "KS7",
                                 "KSMENU?",  "KSLIST",   "KS8",       "KSVERSION", "KS9",     "KSHELP", "KS?",
                                 "KSUNLOAD", "KS999",    "KSABOUT",   "KSLOGO",    "KSGOTO",  "KS10",   "KSOPTIONS",
                                 "KS11",     "KSREPAIR", "KS12",      "KSUPDATE"};

std::string modulePath()
{
    const char* bin = std::getenv("KESTRA_BIN_DIR");
    return std::string(bin ? bin : ".") + "/Kestra2000.arx";
}

// What the host prints on its command line while `work` runs.
template <typename Work>
std::string commandLineOutput(Work work)
{
    std::fflush(stdout);
    int saved = dup(STDOUT_FILENO);
    char name[] = "/tmp/kestra-output-XXXXXX";
    int file = mkstemp(name);
    dup2(file, STDOUT_FILENO);
    work();
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    close(file);
    std::ifstream in(name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    unlink(name);
    return text.str();
}

const AfxWindowInfo* splashWindow(const std::vector<AfxWindowInfo>& windows)
{
    for (const AfxWindowInfo& info : windows)
        if (info.className == "KestraSplash") return &info;
    return nullptr;
}

// Checks inside the child process end it with a message on failure.
void require(bool condition, const std::string& what)
{
    if (condition) return;
    std::fprintf(stderr, "failed: %s\n", what.c_str());
    std::fflush(stderr);
    _exit(1);
}

// The child is forked with the test's registry folder, so the parent can read what it wrote.
class ModuleLoadTest : public RegistryTest {};

void startUpAndUnload()
{
    bool loaded = false;
    std::string output =
        commandLineOutput([&] { loaded = acrxDynamicLinker->loadModule(modulePath().c_str(), false); });
    require(loaded, "the module loads");
    require(output == kStartUpTranscript, "start-up transcript, got:\n" + output);
    for (const char* name : kCommands) require(acedRegCmds->hasCommand(name), std::string("command ") + name);

    std::vector<AfxWindowInfo> windows = AfxHeadlessWindows();
    const AfxWindowInfo* splash = splashWindow(windows);
    require(splash != nullptr && splash->visible, "a visible splash window");
    require(splash->rect.left == 312 && splash->rect.top == 259 && splash->rect.right == 712 &&
                splash->rect.bottom == 509,
            "splash centred, 400 x 250");
    require(splash->timers.size() == 1 && splash->timers[0].second == 250, "one 250 ms timer");

    output = commandLineOutput([] { acedCommand(RTSTR, "KSUNLOAD", RTNONE); });
    require(output.find("Unloading of the Kestra support program\n") != std::string::npos, "teardown line");
    for (const char* name : kCommands) require(!acedRegCmds->hasCommand(name), std::string("removed ") + name);
    require(splashWindow(AfxHeadlessWindows()) == nullptr, "splash closed by the teardown");
    require(!acrxDynamicLinker->unloadModule(modulePath().c_str()), "the module stays locked");
    _exit(0);
}

void startUpWithoutSplash()
{
    bool loaded = acrxDynamicLinker->loadModule(modulePath().c_str(), false);
    require(loaded, "the module loads");
    require(splashWindow(AfxHeadlessWindows()) == nullptr, "no splash window");
    _exit(0);
}

}  // namespace

TEST_F(ModuleLoadTest, StartUpPrintsBannerAndCommandListAndKsUnloadTakesItApart)
{
    EXPECT_EXIT(startUpAndUnload(), ::testing::ExitedWithCode(0), "");
    for (const char* name : {"KsWarmNoCreate", "Splash", "AuditAlert", "BadPlotAlert", "FreezeLayer", "Reshape"})
        EXPECT_EQ(getDword(HKEY_CURRENT_USER, "Software\\Zentrel\\AutoCAD\\15.0\\Kestra\\Settings01", name), 1u)
            << name;
    char resolved[PATH_MAX];
    ASSERT_NE(realpath(modulePath().c_str(), resolved), nullptr);
    EXPECT_EQ(getString(HKEY_LOCAL_MACHINE, "Software\\Zentrel\\AutoCAD\\15.0\\Kestra\\Loader", "MODULE"),
              std::string(resolved) + '\0');
}

TEST_F(ModuleLoadTest, SplashSettingOffShowsNoWindow)
{
    setDword(HKEY_CURRENT_USER, "Software\\Zentrel\\AutoCAD\\15.0\\Kestra\\Settings01", "KsWarmNoCreate", 1);
    setDword(HKEY_CURRENT_USER, "Software\\Zentrel\\AutoCAD\\15.0\\Kestra\\Settings01", "Splash", 0);
    EXPECT_EXIT(startUpWithoutSplash(), ::testing::ExitedWithCode(0), "");
}
