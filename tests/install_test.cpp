// The two deliverables meet in the registry: after scripts/install-kestra (arxhost once,
// then RegKestra with the example INI), a plain arxhost loads Kestra2000 at start-up.
#include <gtest/gtest.h>

#include "host_process.h"

using namespace kestra::test;

TEST(Install, RegKestraMakesAPlainHostLoadKestraAtStartUp)
{
    TempDir registry;
    HostRun install = runProgram("/bin/bash", {(sourceDir() / "scripts" / "install-kestra").string(),
                                               registry.path().string(), binDir().string()});
    ASSERT_EQ(install.exitCode, 0) << install.output << install.errors;
    EXPECT_NE(install.output.find("Registration Successful"), std::string::npos) << install.output;

    std::string hklm = readFile(registry.path() / "HKEY_LOCAL_MACHINE.reg");
    EXPECT_NE(hklm.find("\"LOADCTRLS\"=dword:0000000f"), std::string::npos) << hklm;
    EXPECT_NE(hklm.find("Kestra2000.arx"), std::string::npos);

    HostRun run = runHost({"--registry", registry.path().string()}, "KSLIST\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output.rfind("Kestra loaded.  ", 0), 0u) << run.output;
    EXPECT_NE(run.output.find("Command: KSLIST\n\nThe available commands are:\n"), std::string::npos) << run.output;
}
