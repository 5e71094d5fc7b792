// Reading the switches at load, and seeding them on a user's first run.
#include "settings/settings_loading.h"
#include "settings/settings_store.h"

namespace kestra {

namespace {

constexpr Switch kSwitchesReadAtLoad[] = {Switch::KsWarmNoCreate, Switch::Splash,      Switch::AuditAlert,
                                          Switch::BadPlotAlert,   Switch::FreezeLayer, Switch::Reshape};

// Writes a switch's value and takes it as the flag; only 1 counts as on.
int seedSwitch(KestraSettings& settings, Switch which, DWORD value)
{
    settings.flag(which) = value == 1;
    return writeSettingDword(HKEY_CURRENT_USER, kSettingsSubKey, switchValueName(which), value);
}

DWORD machineDefaultOr1(const char* lowerCaseName)
{
    DWORD value = 1;
    if (readMachineDefault(lowerCaseName, &value) != kSettingOk) value = 1;
    return value;
}

}  // namespace

int readAllSettings(KestraSettings& settings)
{
    int result = kSettingOk;
    for (Switch which : kSwitchesReadAtLoad) {
        DWORD value = 0;
        if (readSettingDword(HKEY_CURRENT_USER, kSettingsSubKey, switchValueName(which), &value) == kSettingOk)
            settings.flag(which) = value == 1;
        else if (seedSwitch(settings, which, 1) != kSettingOk) result = kSettingFailed;
    }
    return result;
}

int loadSettings(KestraSettings& settings)
{
    DWORD existing = 0;
    if (readSettingDword(HKEY_CURRENT_USER, kSettingsSubKey, "KsWarmNoCreate", &existing) == kSettingOk)
        return readAllSettings(settings);

    int result = kSettingOk;
    auto seed = [&](Switch which, DWORD value) {
        if (seedSwitch(settings, which, value) != kSettingOk) result = kSettingFailed;
    };
    seed(Switch::KsWarmNoCreate, machineDefaultOr1("kswarmnocreate"));
    seed(Switch::Splash, machineDefaultOr1("splash"));
    seed(Switch::Reshape, 1);
    seed(Switch::FreezeLayer, 1);
    seed(Switch::BadPlotAlert, 1);
    seed(Switch::AuditAlert, 1);
    return result;
}

}  // namespace kestra
