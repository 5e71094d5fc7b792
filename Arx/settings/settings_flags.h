// The per-user switches, kept in memory from load to unload. Each is on when its registry
// value equals 1; all start on before the settings are loaded.
#pragma once

namespace kestra {

enum class Switch { KsWarmNoCreate, Splash, AuditAlert, BadPlotAlert, FreezeLayer, Reshape, ShowNewDlg };

struct KestraSettings {
    bool ksWarmNoCreate = true;  // advice dialog after a viewport is added to a drawing without marks
    bool splash = true;          // splash window at load
    bool auditAlert = true;      // the two lines of the automatic audit
    bool badPlotAlert = true;    // plot warning
    bool freezeLayer = true;     // warning for a mark on a frozen or off layer
    bool reshape = true;         // warning for a misaligned viewport and mark
    bool showNewDlg = true;      // what's-new notice; only the options dialog uses it

    bool& flag(Switch which);
    bool flag(Switch which) const;
};

// The registry value name of a switch ("KsWarmNoCreate", "Splash", ...).
const char* switchValueName(Switch which);

}  // namespace kestra
