#include "shell/splash_window.h"

#include "afxwin.h"
#include "shell/kestra_module.h"
#include "shell/module_resources.h"
#include "shell/resource.h"

namespace kestra {

namespace {

constexpr UINT_PTR kSplashTimer = 1;
constexpr UINT kTimerElapse = 250;
// The splash closes itself after three seconds of ticks.
constexpr int kTicksShown = 12;

}  // namespace

class SplashWindow : public CWnd {
public:
    bool create()
    {
        CBitmap bitmap;
        BITMAP size{};
        if (!bitmap.LoadBitmap(IDB_SPLASH) || bitmap.GetBitmap(&size) == 0) return false;
        if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "KestraSplash", "Kestra", WS_POPUP | WS_BORDER, 0, 0,
                      size.bmWidth, size.bmHeight, nullptr, nullptr))
            return false;
        CenterWindow();
        SetTimer(kSplashTimer, kTimerElapse, nullptr);
        ShowWindow(SW_SHOW);
        return true;
    }

protected:
    void OnTimer(UINT_PTR id) override
    {
        if (id == kSplashTimer && ++ticks_ >= kTicksShown) DestroyWindow();
    }

private:
    int ticks_ = 0;
};

void SplashWindowDeleter::operator()(SplashWindow* window) const { delete window; }

void showSplashWindow(KestraModule& module)
{
    ModuleResourceOverride resources;
    std::unique_ptr<SplashWindow, SplashWindowDeleter> splash(new SplashWindow);
    if (splash->create()) module.splashWindow = std::move(splash);
}

void closeModelessWindows(KestraModule& module)
{
    if (!module.splashWindow) return;
    module.splashWindow->DestroyWindow();
    module.splashWindow.reset();
}

}  // namespace kestra
