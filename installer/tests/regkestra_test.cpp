// RegKestra as its users meet it: the built program run on registry folders and INI files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "regkestra_run.h"

using namespace regkestra_test;

namespace {

const std::string kApplications = "SOFTWARE\\Autodesk\\AutoCAD\\R15.0\\ACAD-1:409\\Applications\\Kestra";
const std::string kApplicationsFrench = "SOFTWARE\\Autodesk\\AutoCAD\\R15.0\\ACAD-1:40C\\Applications\\Kestra";
const std::string kRegPath = "\\\\HKEY_LOCAL_MACHINE\\Software\\Zentrel\\AutoCAD\\15.0\\Kestra";
const std::string kUserKey = "SOFTWARE\\Zentrel\\AutoCAD\\15.0\\Kestra\\User";

// The log header RegKestra writes: "MM/DD/YY -- HH:MM:SS \n\n".
const std::string kHeaderShape = "00/00/00 -- 00:00:00 \n\n";

bool startsWithDateHeader(const std::string& log)
{
    const std::string& shape = kHeaderShape;
    if (log.size() < shape.size()) return false;
    for (size_t i = 0; i < shape.size(); ++i) {
        const bool digit = log[i] >= '0' && log[i] <= '9';
        if (shape[i] == '0' ? !digit : log[i] != shape[i]) return false;
    }
    return true;
}

std::string traceOf(const std::string& key)
{
    return "RegDB Key: " + key +
           "\nRegDB Val: 15\nRegDB Name: LOADCTRLS\nRegDB Type: 3\nRegDB Root: 2\n"
           "RegDB Key: " +
           key + "\nRegDB Val: " + kRegPath + "\nRegDB Name: REGPATH\nRegDB Root: 2\n";
}

const std::string kGoodIni = "[VERSION]\r\n"
                             "Version=R15.0\r\n"
                             "\r\n"
                             "[Keys]\r\n"
                             "Key0=Kestra\\User\r\n"
                             "Key1=Kestra\\Name\r\n"
                             "\r\n"
                             "[Kestra\\User]\r\n"
                             "; installer defaults of a new user's switches\r\n"
                             "splash=0\r\n"
                             "kswarmnocreate=1\r\n"
                             "\r\n"
                             "[Kestra\\Name]\r\n"
                             "Kestra=\"Kestra Viewport Marks\"\r\n";

class RegKestra : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeFile(world_.machineHive(), machineWithProducts("R15.0", {"ACAD-1:409", "ACAD-1:40C"}));
    }

    void writeIni(const std::string& name, const std::string& text)
    {
        writeFile(world_.programFolder() + "/" + name, text);
    }

    RegKestraWorld world_;
};

TEST_F(RegKestra, RegistersEveryProductOfTheReleaseAndTracesEachValue)
{
    EXPECT_EQ(world_.run({"/r15.0"}), 0);
    EXPECT_TRUE(startsWithDateHeader(world_.log())) << world_.log();
    EXPECT_EQ(world_.logAfterHeader(), "Installation Successful (1)\n\n");
    // Nine lines per product: five for LOADCTRLS, four for REGPATH.
    EXPECT_EQ(world_.trace(), traceOf(kApplications) + traceOf(kApplicationsFrench));
    for (const std::string& key : {kApplications, kApplicationsFrench}) {
        EXPECT_EQ(machineDword(world_.registryFolder(), key, "LOADCTRLS"), 15);
        EXPECT_EQ(machineString(world_.registryFolder(), key, "REGPATH"), kRegPath);
    }
}

TEST_F(RegKestra, LogsAndTraceAreAppendedRunAfterRun)
{
    world_.run({"/R15.0"});
    world_.run({"/R15.0"});
    const std::string log = world_.log();
    EXPECT_EQ(std::count(log.begin(), log.end(), '-'), 4);  // two headers
    EXPECT_EQ(world_.trace(), traceOf(kApplications) + traceOf(kApplicationsFrench) + traceOf(kApplications) +
                                  traceOf(kApplicationsFrench));
}

TEST_F(RegKestra, AReleaseThatIsNotInstalledIsReported)
{
    EXPECT_EQ(world_.run({"/R16.0"}), 0);
    EXPECT_EQ(world_.logAfterHeader(), "Error -- AutoCAD not found.\nError -- AutoCAD registry (1)\n\n");
    EXPECT_EQ(world_.trace(), "");
}

TEST_F(RegKestra, AReleaseWithoutProductsCountsAsSuccess)
{
    writeFile(world_.machineHive(), machineWithProducts("R15.0", {}));
    world_.run({"/R15.0"});
    EXPECT_EQ(world_.logAfterHeader(), "Installation Successful (1)\n\n");
}

TEST_F(RegKestra, AMachineHiveThatCannotBeWrittenFailsEachValue)
{
    chmod(world_.machineHive().c_str(), 0444);
    const std::string before = readFile(world_.machineHive());
    world_.run({"/R15.0"});
    const std::string perProduct = "Error -- AutoCAD registry -- LOADCTRLS.\nError -- AutoCAD registry REGPATH.\n";
    EXPECT_EQ(world_.logAfterHeader(), perProduct + perProduct + "Error -- AutoCAD registry (1)\n\n");
    EXPECT_EQ(readFile(world_.machineHive()), before);
}

TEST_F(RegKestra, AMalformedMachineHiveIsLeftAloneAndTheHostIsNotFound)
{
    const std::string broken = "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\n";
    writeFile(world_.machineHive(), broken);
    world_.run({"/R15.0"});
    EXPECT_EQ(world_.logAfterHeader(), "Error -- AutoCAD not found.\nError -- AutoCAD registry (1)\n\n");
    EXPECT_EQ(readFile(world_.machineHive()), broken);
}

TEST_F(RegKestra, ArgumentsOtherThanOneSwitchEndTheRun)
{
    const std::string before = readFile(world_.machineHive());
    world_.run({});
    EXPECT_EQ(world_.logAfterHeader(), "Error -- Incorrect number of parameters\n\n");
    std::remove((world_.programFolder() + "/RegKestra.log").c_str());
    world_.run({"/R15.0", "/R15.0"});
    EXPECT_EQ(world_.logAfterHeader(), "Error -- Incorrect number of parameters\n\n");
    std::remove((world_.programFolder() + "/RegKestra.log").c_str());
    world_.run({"/R15."});
    EXPECT_EQ(world_.logAfterHeader(), "Error -- Incorrect parameter\n\n");
    std::remove((world_.programFolder() + "/RegKestra.log").c_str());
    EXPECT_EQ(world_.run({"/X12345"}), 0);
    EXPECT_EQ(world_.logAfterHeader(), "");  // the header only
    EXPECT_EQ(world_.trace(), "");
    EXPECT_EQ(readFile(world_.machineHive()), before);
}

TEST_F(RegKestra, TheIniFormRegistersAndCopiesTheListedKeys)
{
    writeIni("setup.ini", kGoodIni);
    EXPECT_EQ(world_.run({"/fsetup.ini"}), 0);
    EXPECT_EQ(world_.logAfterHeader(), "Installation Successful (2)\n\nRegistration Successful\n\n");
    EXPECT_EQ(machineDword(world_.registryFolder(), kApplications, "LOADCTRLS"), 15);
    EXPECT_EQ(machineDword(world_.registryFolder(), kUserKey, "splash"), 0);
    EXPECT_EQ(machineDword(world_.registryFolder(), kUserKey, "kswarmnocreate"), 1);
    EXPECT_EQ(machineString(world_.registryFolder(), "SOFTWARE\\Zentrel\\AutoCAD\\15.0\\Kestra\\Name", "Kestra"),
              "Kestra Viewport Marks");
    EXPECT_EQ(world_.trace(), traceOf(kApplications) + traceOf(kApplicationsFrench) + "RegDB Key: " + kUserKey +
                                  "\nRegDB Val: 0\nRegDB Name: splash\nRegDB Type: 3\nRegDB Root: 2\n"
                                  "RegDB Key: " +
                                  kUserKey +
                                  "\nRegDB Val: 1\nRegDB Name: kswarmnocreate\nRegDB Type: 3\nRegDB Root: 2\n"
                                  "RegDB Key: SOFTWARE\\Zentrel\\AutoCAD\\15.0\\Kestra\\Name\nRegDB Val: Kestra "
                                  "Viewport Marks\n"
                                  "RegDB Name: Kestra\nRegDB Root: 2\n");
}

TEST_F(RegKestra, TheIniIsFoundByPathOrInTheProgramFolder)
{
    writeFile(world_.root() + "/elsewhere.ini", kGoodIni);
    world_.run({"/F" + world_.root() + "/elsewhere.ini"});  // from the root: used as given
    EXPECT_EQ(world_.logAfterHeader(), "Installation Successful (2)\n\nRegistration Successful\n\n");

    std::remove((world_.programFolder() + "/RegKestra.log").c_str());
    writeFile(world_.workingFolder() + "/local.ini", kGoodIni);
    world_.run({"/Flocal.ini"});  // only in the working folder: not where it is looked for
    EXPECT_EQ(world_.logAfterHeader(), "(INI) file not found\n\n");

    std::remove((world_.programFolder() + "/RegKestra.log").c_str());
    writeIni("local.ini", kGoodIni);
    world_.run({"/Fsome/folder/local.ini"});  // no drive: its name is looked for in the program folder
    EXPECT_EQ(world_.logAfterHeader(), "Installation Successful (2)\n\nRegistration Successful\n\n");

    for (const std::string& name : std::vector<std::string>{"/Fnoextension", "/Fmissing.ini", "/F" + world_.root()}) {
        std::remove((world_.programFolder() + "/RegKestra.log").c_str());
        world_.run({name});
        EXPECT_EQ(world_.logAfterHeader(), "(INI) file not found\n\n") << name;
    }
}

TEST_F(RegKestra, AnIniReleaseMustBeCompleteAndKnown)
{
    const std::string before = readFile(world_.machineHive());
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"[VERSION]\nVersion=R15\n", "Incorrect release number\n\n"},
        {"[VERSION]\nVersion=R17.0\n", "Unknown release number\n\n"},
        {"[VERSION]\nVersion=\n", "Release number not found\n\n"},
        {"[Keys]\nKey0=Kestra\n", "Release number not found\n\n"},
    };
    for (const auto& [ini, message] : cases) {
        writeIni("setup.ini", ini + "[Keys]\nKey0=Kestra\\User\n[Kestra\\User]\nsplash=1\n");
        std::remove((world_.programFolder() + "/RegKestra.log").c_str());
        world_.run({"/Fsetup.ini"});
        EXPECT_EQ(world_.logAfterHeader(), message) << ini;
    }
    EXPECT_EQ(readFile(world_.machineHive()), before);  // nothing written
    EXPECT_EQ(world_.trace(), "");
}

TEST_F(RegKestra, AnIniWithoutKeysStillRegisters)
{
    writeIni("setup.ini", "[VERSION]\nVersion=r15.0 for the 2000 release\n");
    world_.run({"/Fsetup.ini"});
    EXPECT_EQ(world_.logAfterHeader(), "Installation Successful (2)\n\nKeys not found in (INI) file.\n\n");
    EXPECT_EQ(machineDword(world_.registryFolder(), kApplications, "LOADCTRLS"), 15);
}

TEST_F(RegKestra, ValuesThatAreNotNumbersAreLoggedAndSkippedNeverWrittenAsZero)
{
    writeIni("setup.ini", "[VERSION]\nVersion=R15.0\n[Keys]\nKey0=Kestra\\User\n"
                          "[Kestra\\User]\n"
                          "count=12abc\n"
                          "huge=4294967296\n"
                          "largest=4294967295\n"
                          "minus=-1\n"
                          "word=yes\n"
                          "half=\"open\n"
                          "empty=\n"
                          "a line without equals\n"
                          "=5\n"
                          "quoted=\"\"\n");
    world_.run({"/Fsetup.ini"});
    const std::string skipped = "Error -- Not a number, value skipped in section [Kestra\\User] of the (INI) file: ";
    EXPECT_EQ(world_.logAfterHeader(),
              "Installation Successful (2)\n\n" + skipped + "count=12abc\n" + skipped + "huge=4294967296\n" + skipped +
                  "word=yes\n" + skipped + "half=\"open\n" + skipped +
                  "empty=\n"
                  "Error -- Line skipped in section [Kestra\\User] of the (INI) file: a line without "
                  "equals\n"
                  "Error -- Line skipped in section [Kestra\\User] of the (INI) file: =5\n"
                  "Registration Successful\n\n");
    const std::string registry = world_.registryFolder();
    for (const char* name : {"count", "huge", "word", "half", "empty"}) {
        EXPECT_EQ(machineDword(registry, kUserKey, name), -1) << name;
        EXPECT_EQ(machineString(registry, kUserKey, name), "<missing>") << name;
    }
    EXPECT_EQ(machineDword(registry, kUserKey, "largest"), 4294967295LL);
    EXPECT_EQ(machineDword(registry, kUserKey, "minus"), 4294967295LL);
    EXPECT_EQ(machineString(registry, kUserKey, "quoted"), "");
}

TEST_F(RegKestra, ACopyThatCannotBeWrittenIsNotCalledASuccess)
{
    writeIni("setup.ini", kGoodIni);
    chmod(world_.machineHive().c_str(), 0444);
    world_.run({"/Fsetup.ini"});
    const std::string perProduct = "Error -- AutoCAD registry -- LOADCTRLS.\nError -- AutoCAD registry REGPATH.\n";
    EXPECT_EQ(world_.logAfterHeader(), perProduct + perProduct + "Error -- AutoCAD registry (2)\n\n" +
                                           "Error -- Cannot create the registry key " + kUserKey +
                                           ".\n"
                                           "Error -- Cannot create the registry key "
                                           "SOFTWARE\\Zentrel\\AutoCAD\\15.0\\Kestra\\Name.\n"
                                           "Error -- Registration failed\n\n");
}

TEST_F(RegKestra, AReadOnlyProgramFolderSendsTheLogToTheTemporaryFolderAndLeavesNoTrace)
{
    const bool root = geteuid() == 0;
    if (root && access("/usr/bin/setpriv", X_OK) != 0)
        GTEST_SKIP() << "setpriv is needed to run as an unprivileged user";
    // The unprivileged user must be able to write the registry and the temporary folder.
    chmod(world_.registryFolder().c_str(), 0777);
    chmod(world_.machineHive().c_str(), 0666);
    chmod(world_.temporaryFolder().c_str(), 0777);
    chmod(world_.workingFolder().c_str(), 0777);
    chmod(world_.programFolder().c_str(), 0555);
    RunOptions options;
    options.unprivileged = root;
    EXPECT_EQ(world_.run({"/R15.0"}, options), 0);
    EXPECT_FALSE(fileExists(world_.programFolder() + "/RegKestra.log"));
    EXPECT_FALSE(fileExists(world_.programFolder() + "/TEMPTXT.log"));
    EXPECT_FALSE(fileExists(world_.temporaryFolder() + "/TEMPTXT.log"));
    const std::string log = readFile(world_.temporaryFolder() + "/RegKestra.log");
    EXPECT_TRUE(startsWithDateHeader(log)) << log;
    EXPECT_EQ(log.substr(std::min(log.size(), kHeaderShape.size())), "Installation Successful (1)\n\n");
    EXPECT_EQ(machineDword(world_.registryFolder(), kApplications, "LOADCTRLS"), 15);
}

TEST_F(RegKestra, WithoutAnyWritableLogFolderTheRegistryWorkIsStillDone)
{
    const bool root = geteuid() == 0;
    if (root && access("/usr/bin/setpriv", X_OK) != 0)
        GTEST_SKIP() << "setpriv is needed to run as an unprivileged user";
    chmod(world_.registryFolder().c_str(), 0777);
    chmod(world_.machineHive().c_str(), 0666);
    chmod(world_.temporaryFolder().c_str(), 0555);
    chmod(world_.programFolder().c_str(), 0555);
    RunOptions options;
    options.unprivileged = root;
    EXPECT_EQ(world_.run({"/R15.0"}, options), 0);
    EXPECT_FALSE(fileExists(world_.temporaryFolder() + "/RegKestra.log"));
    EXPECT_EQ(machineString(world_.registryFolder(), kApplicationsFrench, "REGPATH"), kRegPath);
}

TEST_F(RegKestra, ARegistryThatCannotTakeTheChangesIsLeftAsItWasAndNothingIsCalledASuccess)
{
    const bool root = geteuid() == 0;
    if (root && access("/usr/bin/setpriv", X_OK) != 0)
        GTEST_SKIP() << "setpriv is needed to run as an unprivileged user";
    writeIni("setup.ini", kGoodIni);
    // The hive may be changed but no new file can be made beside it, so it cannot be replaced.
    chmod(world_.machineHive().c_str(), 0666);
    chmod(world_.registryFolder().c_str(), 0555);
    chmod(world_.programFolder().c_str(), 0777);
    chmod(world_.workingFolder().c_str(), 0777);
    const std::string before = readFile(world_.machineHive());
    RunOptions options;
    options.unprivileged = root;
    EXPECT_EQ(world_.run({"/Fsetup.ini"}, options), 0);
    EXPECT_EQ(world_.logAfterHeader(), "Error -- AutoCAD registry (2)\n\nError -- Registration failed\n\n"
                                       "Error -- The registry could not be written; nothing was installed.\n\n");
    EXPECT_EQ(world_.trace(), "");
    EXPECT_EQ(readFile(world_.machineHive()), before);
    chmod(world_.registryFolder().c_str(), 0755);
}

TEST_F(RegKestra, RefusedInputFilesAreLeftByteForByte)
{
    // An INI of odd lines and a hive whose other keys RegKestra does not touch.
    const std::string ini = "[VERSION]\r\nVersion=R15.0\r\n[Keys]\r\nKey0=K\r\n[K]\r\n"
                            "=\r\nx=\"\r\n  spaced  =  7  \r\n[K]\r\nagain=1\r\n\x81\xFF=2";
    writeIni("setup.ini", ini);
    world_.run({"/Fsetup.ini"});
    EXPECT_EQ(readFile(world_.programFolder() + "/setup.ini"), ini);
    EXPECT_EQ(machineDword(world_.registryFolder(), "SOFTWARE\\Zentrel\\AutoCAD\\15.0\\K", "spaced"), 7)
        << world_.log();

    const std::string broken = readFile(world_.machineHive()) + "[HKEY_LOCAL_MACHINE\\X]\n\"v\"=hex:zz\n";
    writeFile(world_.machineHive(), broken);
    world_.run({"/Fsetup.ini"});
    EXPECT_EQ(readFile(world_.machineHive()), broken);
    EXPECT_EQ(readFile(world_.programFolder() + "/setup.ini"), ini);
}

TEST_F(RegKestra, ThousandsOfValuesAreCopiedInOneWriteOfTheHive)
{
    std::string ini = "[VERSION]\nVersion=R15.0\n[Keys]\nKey0=Kestra\\Many\n[Kestra\\Many]\n";
    for (int i = 0; i < 5000; ++i) ini += "v" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    writeIni("setup.ini", ini);
    world_.run({"/Fsetup.ini"});
    EXPECT_EQ(world_.logAfterHeader(), "Installation Successful (2)\n\nRegistration Successful\n\n");
    const std::string many = "SOFTWARE\\Zentrel\\AutoCAD\\15.0\\Kestra\\Many";
    EXPECT_EQ(machineDword(world_.registryFolder(), many, "v0"), 0);
    EXPECT_EQ(machineDword(world_.registryFolder(), many, "v4999"), 4999);
    const std::string trace = world_.trace();
    EXPECT_EQ(std::count(trace.begin(), trace.end(), '\n'), 2 * 9 + 5000 * 5);
}

}  // namespace

namespace {

TEST_F(RegKestra, TheExampleIniInstallsEveryKeyWithoutAComplaint)
{
    std::string ini = readFile(std::string(KESTRA_EXAMPLES_DIR) + "/kestra-install.ini");
    const std::string placeholder = "@KESTRA_MODULE_PATH@";
    const size_t at = ini.find(placeholder);
    ASSERT_NE(at, std::string::npos);
    ini.replace(at, placeholder.size(), "/opt/kestra/bin/Kestra2000.arx");
    writeIni("kestra-install.ini", ini);
    world_.run({"/Fkestra-install.ini"});
    EXPECT_EQ(world_.logAfterHeader(), "Installation Successful (2)\n\nRegistration Successful\n\n");
    const std::string registry = world_.registryFolder();
    const std::string kestra = "SOFTWARE\\Zentrel\\AutoCAD\\15.0\\Kestra";
    EXPECT_EQ(machineString(registry, kestra + "\\Loader", "MODULE"), "/opt/kestra/bin/Kestra2000.arx");
    EXPECT_EQ(machineString(registry, kestra + "\\Groups", "Kestra"), "Kestra");
    EXPECT_EQ(machineString(registry, kestra + "\\Commands", "KSMENU?"), "KSMENU?");
    EXPECT_EQ(machineString(registry, kestra + "\\Name", "Makers"), "Zentrel.");
    EXPECT_EQ(machineDword(registry, kestra + "\\User", "splash"), 1);
    EXPECT_EQ(machineDword(registry, kestra + "\\User", "kswarmnocreate"), 1);
}

}  // namespace
