#include "settings/settings_flags.h"

namespace kestra {

bool& KestraSettings::flag(Switch which)
{
    switch (which) {
    case Switch::KsWarmNoCreate: return ksWarmNoCreate;
    case Switch::Splash: return splash;
    case Switch::AuditAlert: return auditAlert;
    case Switch::BadPlotAlert: return badPlotAlert;
    case Switch::FreezeLayer: return freezeLayer;
    case Switch::Reshape: return reshape;
    case Switch::ShowNewDlg: break;
    }
    return showNewDlg;
}

bool KestraSettings::flag(Switch which) const { return const_cast<KestraSettings*>(this)->flag(which); }

const char* switchValueName(Switch which)
{
    switch (which) {
    case Switch::KsWarmNoCreate: return "KsWarmNoCreate";
    case Switch::Splash: return "Splash";
    case Switch::AuditAlert: return "AuditAlert";
    case Switch::BadPlotAlert: return "BadPlotAlert";
    case Switch::FreezeLayer: return "FreezeLayer";
    case Switch::Reshape: return "Reshape";
    case Switch::ShowNewDlg: break;
    }
    return "ShowNewDlg";
}

}  // namespace kestra
