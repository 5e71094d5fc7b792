#include "shell/starter_menu.h"

#include "acedads.h"
#include "shell/com_ptr.h"
#include "shell/kestra_module.h"

namespace kestra {

namespace {

constexpr const OLECHAR* kStarterMenuLabel = L"&Kestra";

ComPtr<IAcadPopupMenu> menuOfGroup(IAcadMenuGroups* groups, long index, const Bstr& label)
{
    ComPtr<IAcadMenuGroup> group;
    if (FAILED(groups->Item(variantIndex(index), group.out())) || !group) return {};
    ComPtr<IAcadPopupMenus> menus;
    if (FAILED(group->get_Menus(menus.out())) || !menus) return {};
    ComPtr<IAcadPopupMenu> menu;
    if (FAILED(menus->Item(variantName(label), menu.out()))) return {};
    return menu;
}

ComPtr<IAcadPopupMenu> findStarterMenu(IAcadMenuGroups* groups, long groupCount, const Bstr& label)
{
    for (long i = 0; i < groupCount; ++i)
        if (ComPtr<IAcadPopupMenu> menu = menuOfGroup(groups, i, label)) return menu;
    return {};
}

void addItem(IAcadPopupMenu* menu, long index, const OLECHAR* label, const OLECHAR* macro)
{
    Bstr labelText(label);
    Bstr macroText(macro);
    ComPtr<IAcadPopupMenuItem> item;
    menu->AddMenuItem(variantIndex(index), labelText.get(), macroText.get(), item.out());
}

ComPtr<IAcadPopupMenu> addStarterMenu(IAcadMenuGroups* groups, long groupCount, const Bstr& label)
{
    if (groupCount < 1) return {};
    ComPtr<IAcadMenuGroup> lastGroup;
    if (FAILED(groups->Item(variantIndex(groupCount - 1), lastGroup.out())) || !lastGroup) return {};
    ComPtr<IAcadPopupMenus> menus;
    if (FAILED(lastGroup->get_Menus(menus.out())) || !menus) return {};
    ComPtr<IAcadPopupMenu> menu;
    if (FAILED(menus->Add(label.get(), menu.out())) || !menu) return {};
    addItem(menu.get(), 0, L"Install the pull-down menu and the toolbar", L"KSMENU ");
    ComPtr<IAcadPopupMenuItem> separator;
    menu->AddSeparator(variantIndex(1), separator.out());
    addItem(menu.get(), 2, L"Help on the Kestra menu", L"KSMENU? ");
    return menu;
}

ComPtr<IAcadApplication> hostApplication()
{
    ComPtr<IDispatch> dispatch = ComPtr<IDispatch>::attach(acedGetIDispatch(true));
    ComPtr<IAcadApplication> application;
    if (!dispatch ||
        FAILED(dispatch->QueryInterface(IID_IAcadApplication, reinterpret_cast<void**>(application.out()))))
        return {};
    return application;
}

}  // namespace

bool installStarterMenu(IAcadApplication* application)
{
    if (application == nullptr) return false;
    ComPtr<IAcadMenuBar> bar;
    long barCount = 0;
    if (FAILED(application->get_MenuBar(bar.out())) || !bar || FAILED(bar->get_Count(&barCount))) return false;
    ComPtr<IAcadMenuGroups> groups;
    long groupCount = 0;
    if (FAILED(application->get_MenuGroups(groups.out())) || !groups || FAILED(groups->get_Count(&groupCount)))
        return false;

    Bstr label(kStarterMenuLabel);
    ComPtr<IAcadPopupMenu> menu = findStarterMenu(groups.get(), groupCount, label);
    if (!menu) menu = addStarterMenu(groups.get(), groupCount, label);
    if (!menu) return false;

    VARIANT_BOOL onBar = VARIANT_FALSE;
    if (FAILED(menu->get_OnMenuBar(&onBar))) onBar = VARIANT_FALSE;
    if (onBar == VARIANT_FALSE) menu->InsertInMenuBar(variantIndex(barCount >= 2 ? barCount - 2 : barCount));
    return true;
}

void installStarterMenuWhenNeeded()
{
    if (acedIsMenuGroupLoaded(kMenuGroup) == 1) return;
    ComPtr<IAcadApplication> application = hostApplication();
    installStarterMenu(application.get());
}

bool removeStarterMenu()
{
    ComPtr<IAcadApplication> application = hostApplication();
    ComPtr<IAcadMenuGroups> groups;
    long groupCount = 0;
    if (!application || FAILED(application->get_MenuGroups(groups.out())) || !groups ||
        FAILED(groups->get_Count(&groupCount)))
        return false;
    Bstr label(kStarterMenuLabel);
    ComPtr<IAcadPopupMenu> menu = findStarterMenu(groups.get(), groupCount, label);
    VARIANT_BOOL onBar = VARIANT_FALSE;
    if (!menu || FAILED(menu->get_OnMenuBar(&onBar)) || onBar == VARIANT_FALSE) return false;
    return SUCCEEDED(menu->RemoveFromMenuBar());
}

}  // namespace kestra
