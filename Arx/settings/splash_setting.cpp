#include "settings/splash_setting.h"

#include <cstdio>
#include <strings.h>

#include "acedads.h"
#include "settings/settings_loading.h"

namespace kestra {

std::optional<bool> splashAnswer(int status, const char* answer)
{
    if (status == RTNONE) return true;  // Enter takes the default shown, Yes
    if (status != RTNORM) return std::nullopt;
    return answer == nullptr || strcasecmp(answer, "No") != 0;
}

void askSplashSetting(KestraSettings& settings)
{
    char keywords[64];
    std::snprintf(keywords, sizeof keywords, "%s %s _Yes No ", "Yes", "No");
    char prompt[128];
    std::snprintf(prompt, sizeof prompt, "%s [%s/%s]? <%s>: ", "Display Kestra splash screen on start-up", "Yes", "No",
                  "Yes");
    acedInitGet(0, keywords);
    char answer[512] = "";
    int status = acedGetKword(prompt, answer);
    if (std::optional<bool> on = splashAnswer(status, answer)) storeSwitch(settings, Switch::Splash, *on);
}

}  // namespace kestra
