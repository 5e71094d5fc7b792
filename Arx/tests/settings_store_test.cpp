#include "registry_fixture.h"
#include "settings/settings_loading.h"
#include "settings/settings_store.h"

using namespace kestra;

namespace {

constexpr const char* kUserKey = "Software\\Zentrel\\AutoCAD\\15.0\\Kestra\\Settings01";
constexpr const char* kMachineKey = "Software\\Zentrel\\AutoCAD\\15.0\\Kestra\\User";
constexpr const char* kSixSwitches[] = {"KsWarmNoCreate", "Splash",      "AuditAlert",
                                        "BadPlotAlert",   "FreezeLayer", "Reshape"};

KestraSettings allOff()
{
    KestraSettings settings;
    for (Switch which : {Switch::KsWarmNoCreate, Switch::Splash, Switch::AuditAlert, Switch::BadPlotAlert,
                         Switch::FreezeLayer, Switch::Reshape, Switch::ShowNewDlg})
        settings.flag(which) = false;
    return settings;
}

class SettingsStoreTest : public RegistryTest {};

}  // namespace

TEST_F(SettingsStoreTest, FlagsStartOnBeforeLoading)
{
    KestraSettings settings;
    EXPECT_TRUE(settings.ksWarmNoCreate && settings.splash && settings.auditAlert && settings.badPlotAlert &&
                settings.freezeLayer && settings.reshape && settings.showNewDlg);
}

TEST_F(SettingsStoreTest, FirstRunWritesAllSixSwitchesAsOne)
{
    KestraSettings settings = allOff();
    EXPECT_EQ(loadSettings(settings), kSettingOk);
    for (const char* name : kSixSwitches) EXPECT_EQ(getDword(HKEY_CURRENT_USER, kUserKey, name), 1u) << name;
    EXPECT_FALSE(getRaw(HKEY_CURRENT_USER, kUserKey, "ShowNewDlg"));  // never written at load
    EXPECT_TRUE(settings.ksWarmNoCreate && settings.splash && settings.auditAlert && settings.badPlotAlert &&
                settings.freezeLayer && settings.reshape);
    EXPECT_FALSE(settings.showNewDlg);  // not read at load
}

TEST_F(SettingsStoreTest, FirstRunTakesTheInstallerDefaults)
{
    setDword(HKEY_LOCAL_MACHINE, kMachineKey, "splash", 0);
    setDword(HKEY_LOCAL_MACHINE, kMachineKey, "kswarmnocreate", 2);
    KestraSettings settings;
    EXPECT_EQ(loadSettings(settings), kSettingOk);
    EXPECT_FALSE(settings.splash);
    EXPECT_FALSE(settings.ksWarmNoCreate);  // 2 is written as it is and counts as off
    EXPECT_EQ(getDword(HKEY_CURRENT_USER, kUserKey, "Splash"), 0u);
    EXPECT_EQ(getDword(HKEY_CURRENT_USER, kUserKey, "KsWarmNoCreate"), 2u);
    EXPECT_EQ(getDword(HKEY_CURRENT_USER, kUserKey, "Reshape"), 1u);
}

TEST_F(SettingsStoreTest, KnownUserIgnoresInstallerDefaultsAndGetsMissingSwitchesAsOne)
{
    setDword(HKEY_CURRENT_USER, kUserKey, "KsWarmNoCreate", 0);
    setDword(HKEY_CURRENT_USER, kUserKey, "Splash", 0);
    setDword(HKEY_CURRENT_USER, kUserKey, "AuditAlert", 2);
    setDword(HKEY_LOCAL_MACHINE, kMachineKey, "splash", 1);
    setDword(HKEY_LOCAL_MACHINE, kMachineKey, "kswarmnocreate", 1);
    KestraSettings settings;
    EXPECT_EQ(loadSettings(settings), kSettingOk);
    EXPECT_FALSE(settings.ksWarmNoCreate);
    EXPECT_FALSE(settings.splash);
    EXPECT_FALSE(settings.auditAlert);  // only 1 counts as on
    EXPECT_TRUE(settings.reshape);
    EXPECT_EQ(getDword(HKEY_CURRENT_USER, kUserKey, "Splash"), 0u);
    EXPECT_EQ(getDword(HKEY_CURRENT_USER, kUserKey, "AuditAlert"), 2u);  // read, not rewritten
    EXPECT_EQ(getDword(HKEY_CURRENT_USER, kUserKey, "Reshape"), 1u);
    EXPECT_EQ(getDword(HKEY_CURRENT_USER, kUserKey, "FreezeLayer"), 1u);
    EXPECT_EQ(getDword(HKEY_CURRENT_USER, kUserKey, "BadPlotAlert"), 1u);
}

TEST_F(SettingsStoreTest, ValueOfAnotherTypeOrSizeCountsAsMissing)
{
    const BYTE eightBytes[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    const BYTE twoBytes[2] = {0, 0};
    const DWORD zero = 0;
    setDword(HKEY_CURRENT_USER, kUserKey, "KsWarmNoCreate", 1);
    setRaw(HKEY_CURRENT_USER, kUserKey, "Splash", REG_SZ, "0", 2);
    setRaw(HKEY_CURRENT_USER, kUserKey, "AuditAlert", REG_BINARY, &zero, sizeof zero);
    setRaw(HKEY_CURRENT_USER, kUserKey, "BadPlotAlert", REG_DWORD, twoBytes, sizeof twoBytes);
    setRaw(HKEY_CURRENT_USER, kUserKey, "FreezeLayer", REG_DWORD, eightBytes, sizeof eightBytes);
    setRaw(HKEY_CURRENT_USER, kUserKey, "Reshape", REG_QWORD, eightBytes, sizeof eightBytes);

    DWORD value = 77;
    EXPECT_EQ(readSettingDword(HKEY_CURRENT_USER, kSettingsSubKey, "BadPlotAlert", &value), kSettingFailed);
    EXPECT_EQ(readSettingDword(HKEY_CURRENT_USER, kSettingsSubKey, "FreezeLayer", &value), kSettingFailed);
    EXPECT_EQ(value, 77u);

    KestraSettings settings = allOff();
    EXPECT_EQ(loadSettings(settings), kSettingOk);
    for (const char* name : kSixSwitches) EXPECT_EQ(getDword(HKEY_CURRENT_USER, kUserKey, name), 1u) << name;
    EXPECT_TRUE(settings.splash && settings.auditAlert && settings.badPlotAlert && settings.freezeLayer &&
                settings.reshape);
}

TEST_F(SettingsStoreTest, FirstRunIsDecidedByAReadableKsWarmNoCreate)
{
    setRaw(HKEY_CURRENT_USER, kUserKey, "KsWarmNoCreate", REG_SZ, "1", 2);
    setDword(HKEY_CURRENT_USER, kUserKey, "Splash", 1);
    setDword(HKEY_LOCAL_MACHINE, kMachineKey, "splash", 0);
    KestraSettings settings;
    loadSettings(settings);
    EXPECT_FALSE(settings.splash);  // seeded from the installer default, as on a first run
    EXPECT_EQ(getDword(HKEY_CURRENT_USER, kUserKey, "Splash"), 0u);
    EXPECT_EQ(getDword(HKEY_CURRENT_USER, kUserKey, "KsWarmNoCreate"), 1u);
}

TEST_F(SettingsStoreTest, InstallerDefaultOfAnotherTypeIsIgnored)
{
    setRaw(HKEY_LOCAL_MACHINE, kMachineKey, "splash", REG_SZ, "0", 2);
    DWORD value = 5;
    EXPECT_EQ(readMachineDefault("splash", &value), kSettingFailed);
    KestraSettings settings;
    loadSettings(settings);
    EXPECT_TRUE(settings.splash);
    setDword(HKEY_LOCAL_MACHINE, kMachineKey, "kswarmnocreate", 0);
    EXPECT_EQ(readMachineDefault("kswarmnocreate", &value), kSettingOk);
    EXPECT_EQ(value, 0u);
}

TEST_F(SettingsStoreTest, ReadOnlyUserHiveFailsWritesButKeepsTheFlags)
{
    setDword(HKEY_CURRENT_USER, "Software\\Other", "x", 1);
    makeReadOnly("HKEY_CURRENT_USER");
    KestraSettings settings = allOff();
    EXPECT_EQ(loadSettings(settings), kSettingFailed);
    EXPECT_TRUE(settings.ksWarmNoCreate && settings.splash && settings.auditAlert && settings.badPlotAlert &&
                settings.freezeLayer && settings.reshape);
    EXPECT_FALSE(getRaw(HKEY_CURRENT_USER, kUserKey, "Splash"));

    EXPECT_EQ(storeSwitch(settings, Switch::Splash, false), kSettingFailed);
    EXPECT_FALSE(settings.splash);  // the flag follows the request until unload
}

TEST_F(SettingsStoreTest, StoringASwitchWritesFlagAndValueTogether)
{
    KestraSettings settings;
    EXPECT_EQ(storeSwitch(settings, Switch::Splash, false), kSettingOk);
    EXPECT_FALSE(settings.splash);
    EXPECT_EQ(getDword(HKEY_CURRENT_USER, kUserKey, "Splash"), 0u);
    EXPECT_EQ(storeSwitch(settings, Switch::KsWarmNoCreate, true), kSettingOk);
    EXPECT_EQ(getDword(HKEY_CURRENT_USER, kUserKey, "KsWarmNoCreate"), 1u);
    EXPECT_EQ(storeSwitch(settings, Switch::ShowNewDlg, false), kSettingOk);
    EXPECT_EQ(getDword(HKEY_CURRENT_USER, kUserKey, "ShowNewDlg"), 0u);
    EXPECT_FALSE(settings.showNewDlg);

    KestraSettings reloaded;
    loadSettings(reloaded);
    EXPECT_FALSE(reloaded.splash);
    EXPECT_TRUE(reloaded.ksWarmNoCreate);
}

TEST_F(SettingsStoreTest, HelpersBuildTheKeyAndHandleStringsAndDeletion)
{
    EXPECT_EQ(settingsKeyPath(""), "Software\\Zentrel\\AutoCAD\\15.0\\Kestra");
    EXPECT_EQ(settingsKeyPath(nullptr), "Software\\Zentrel\\AutoCAD\\15.0\\Kestra");
    EXPECT_EQ(settingsKeyPath("Settings01"), kUserKey);

    DWORD value = 0;
    EXPECT_EQ(readSettingDword(HKEY_CURRENT_USER, kSettingsSubKey, "Splash", &value), kSettingFailed);
    EXPECT_EQ(writeSettingDword(HKEY_CURRENT_USER, kSettingsSubKey, "Splash", 7), kSettingOk);
    EXPECT_EQ(readSettingDword(HKEY_CURRENT_USER, kSettingsSubKey, "Splash", &value), kSettingOk);
    EXPECT_EQ(value, 7u);

    EXPECT_EQ(writeSettingString(HKEY_CURRENT_USER, "", "Note", "texte \xE9"), kSettingOk);
    EXPECT_EQ(getString(HKEY_CURRENT_USER, "Software\\Zentrel\\AutoCAD\\15.0\\Kestra", "Note"),
              std::string("texte \xE9", 8));
    EXPECT_EQ(writeSettingString(HKEY_CURRENT_USER, "", "Null", nullptr), kSettingFailed);

    EXPECT_EQ(deleteSettingsKey(HKEY_CURRENT_USER, "Settings01"), kSettingOk);
    EXPECT_EQ(readSettingDword(HKEY_CURRENT_USER, kSettingsSubKey, "Splash", &value), kSettingFailed);
    EXPECT_EQ(deleteSettingsKey(HKEY_CURRENT_USER, "Settings01"), kSettingFailed);
    EXPECT_EQ(deleteSettingsKey(HKEY_CURRENT_USER, ""), kSettingFailed);  // never the base key itself
    EXPECT_TRUE(getString(HKEY_CURRENT_USER, "Software\\Zentrel\\AutoCAD\\15.0\\Kestra", "Note"));
}
