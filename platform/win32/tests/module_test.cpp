// GetModuleHandleA and GetModuleFileNameA find the objects really loaded in this process.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <windows.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "test_support.h"

namespace {

std::string canonical(const std::string& path) { return std::filesystem::canonical(path).string(); }

std::string fileNameOf(HMODULE module)
{
    char path[1024];
    const DWORD length = GetModuleFileNameA(module, path, sizeof path);
    return std::string(path, length);
}

TEST(ModuleLookup, NullStandsForTheMainProgram)
{
    const std::string program = fileNameOf(nullptr);
    EXPECT_EQ(program, canonical("/proc/self/exe"));
    const HMODULE main = GetModuleHandleA(nullptr);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(fileNameOf(main), program);
    const std::string base = std::filesystem::path(program).filename().string();
    EXPECT_EQ(GetModuleHandleA((base + ".").c_str()), main);  // a trailing dot: no ".dll" added
    EXPECT_EQ(GetModuleHandleA(base.c_str()), nullptr);       // "win32_tests.dll" is not loaded
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST(ModuleLookup, FindsALoadedLibraryByItsFileNameWithoutRegardToCase)
{
    const HMODULE library = GetModuleHandleA("LIBWIN32.SO");
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(GetModuleHandleA("libwin32.so"), library);
    EXPECT_EQ(fileNameOf(library), canonical(win32test::binFolder() + "/libwin32.so"));
    EXPECT_EQ(GetModuleHandleA(fileNameOf(library).c_str()), library);  // by full path too
}

TEST(ModuleLookup, AddsDllToANameWithoutExtensionAndForgetsUnloadedModules)
{
    const std::string file = win32test::binFolder() + "/Win32TestModule.dll";
    EXPECT_EQ(GetModuleHandleA("win32testmodule"), nullptr);
    void* loaded = dlopen(file.c_str(), RTLD_NOW);
    ASSERT_NE(loaded, nullptr) << dlerror();
    const HMODULE module = GetModuleHandleA("win32testmodule");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(GetModuleHandleA("WIN32TESTMODULE.DLL"), module);
    EXPECT_NE(module, GetModuleHandleA("libwin32.so"));
    EXPECT_EQ(fileNameOf(module), canonical(file));
    dlclose(loaded);
    EXPECT_EQ(GetModuleHandleA("Win32TestModule.dll"), nullptr);
    EXPECT_EQ(GetModuleFileNameA(module, nullptr, 0), 0u);
}

TEST(ModuleLookup, AModuleLoadedByARelativeNameHasItsAbsolutePath)
{
    const std::string before = std::filesystem::current_path().string();
    ASSERT_EQ(chdir(win32test::binFolder().c_str()), 0);
    void* loaded = dlopen("./Win32TestModule.dll", RTLD_NOW);
    ASSERT_EQ(chdir(before.c_str()), 0);
    ASSERT_NE(loaded, nullptr) << dlerror();
    EXPECT_EQ(fileNameOf(GetModuleHandleA("Win32TestModule.dll")),
              canonical(win32test::binFolder() + "/Win32TestModule.dll"));
    dlclose(loaded);
}

TEST(ModuleLookup, AShortBufferIsFilledAndReportedAsWindowsDoes)
{
    const HMODULE library = GetModuleHandleA("libwin32.so");
    const std::string full = fileNameOf(library);
    char buffer[8];
    SetLastError(0);
    EXPECT_EQ(GetModuleFileNameA(library, buffer, sizeof buffer), 8u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::string(buffer), full.substr(0, 7));
    EXPECT_EQ(GetModuleFileNameA(library, buffer, 0), 0u);
    char exact[1024];
    EXPECT_EQ(GetModuleFileNameA(library, exact, static_cast<DWORD>(full.size() + 1)), full.size());
    EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(0x10), exact, sizeof exact), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

}  // namespace
