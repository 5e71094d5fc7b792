// The automation objects over the menu model: the application object, menu groups, pop-up
// menus and their items, and the menu bar, with COM reference counting.
#include <atomic>
#include <memory>
#include <strings.h>

#include "acadi.h"
#include "acedads.h"
#include "ap/menu_model.h"

const IID IID_IAcadApplication = {0x8E75D910, 0x3D21, 0x11D2, {0x85, 0xC4, 0x08, 0x00, 0x09, 0xA0, 0xC3, 0x38}};
const IID IID_IAcadMenuGroups = {0x8E75D911, 0x3D21, 0x11D2, {0x85, 0xC4, 0x08, 0x00, 0x09, 0xA0, 0xC3, 0x38}};
const IID IID_IAcadMenuGroup = {0x8E75D912, 0x3D21, 0x11D2, {0x85, 0xC4, 0x08, 0x00, 0x09, 0xA0, 0xC3, 0x38}};
const IID IID_IAcadPopupMenus = {0x8E75D913, 0x3D21, 0x11D2, {0x85, 0xC4, 0x08, 0x00, 0x09, 0xA0, 0xC3, 0x38}};
const IID IID_IAcadPopupMenu = {0x8E75D914, 0x3D21, 0x11D2, {0x85, 0xC4, 0x08, 0x00, 0x09, 0xA0, 0xC3, 0x38}};
const IID IID_IAcadPopupMenuItem = {0x8E75D915, 0x3D21, 0x11D2, {0x85, 0xC4, 0x08, 0x00, 0x09, 0xA0, 0xC3, 0x38}};
const IID IID_IAcadMenuBar = {0x8E75D916, 0x3D21, 0x11D2, {0x85, 0xC4, 0x08, 0x00, 0x09, 0xA0, 0xC3, 0x38}};

namespace {

using arx::ap::MenuGroup;
using arx::ap::MenuItem;
using arx::ap::MenuModel;
using arx::ap::PopupMenu;

std::string narrow(const OLECHAR* text)
{
    std::string out;
    for (; text && *text; ++text) out += static_cast<char>(*text <= 0xFF ? *text : '?');
    return out;
}

BSTR wide(const std::string& text)
{
    std::wstring w;
    for (unsigned char c : text) w += static_cast<wchar_t>(c);
    return SysAllocString(w.c_str());
}

// An index argument: a position from 0, or (-1 with `name` set) a name.
bool readIndex(const VARIANT& index, long& position, std::string& name)
{
    switch (index.vt) {
    case VT_I2: position = index.iVal; return true;
    case VT_I4: position = index.lVal; return true;
    case VT_R8: position = static_cast<long>(index.dblVal); return true;
    case VT_BSTR:
        position = -1;
        name = narrow(index.bstrVal);
        return true;
    default: return false;
    }
}

// Reference counting for an object that serves one automation interface.
template <typename Interface>
class AutomationObject : public Interface {
public:
    AutomationObject(const IID& iid) : iid_(iid) {}
    virtual ~AutomationObject() = default;

    HRESULT QueryInterface(REFIID riid, void** out) override
    {
        if (out == nullptr) return E_POINTER;
        if (riid == iid_ || riid == IID_IUnknown || riid == IID_IDispatch) {
            *out = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++count_; }
    ULONG Release() override
    {
        ULONG left = --count_;
        if (left == 0) delete this;
        return left;
    }

private:
    const IID& iid_;
    std::atomic<ULONG> count_{1};
};

template <typename T>
HRESULT hand(T* object, T** out)
{
    if (out == nullptr) {
        object->Release();
        return E_POINTER;
    }
    *out = object;
    return S_OK;
}

class PopupMenuItemObject : public AutomationObject<IAcadPopupMenuItem> {
public:
    explicit PopupMenuItemObject(MenuItem item) : AutomationObject(IID_IAcadPopupMenuItem), item_(std::move(item)) {}
    HRESULT get_Label(BSTR* label) override { return label ? (*label = wide(item_.label), S_OK) : E_POINTER; }
    HRESULT get_Macro(BSTR* macro) override { return macro ? (*macro = wide(item_.macro), S_OK) : E_POINTER; }
    HRESULT get_Type(long* type) override { return type ? (*type = static_cast<long>(item_.type), S_OK) : E_POINTER; }

private:
    MenuItem item_;
};

class PopupMenuObject : public AutomationObject<IAcadPopupMenu> {
public:
    explicit PopupMenuObject(std::shared_ptr<PopupMenu> menu)
        : AutomationObject(IID_IAcadPopupMenu), menu_(std::move(menu))
    {}

    HRESULT get_Name(BSTR* name) override { return name ? (*name = wide(menu_->name), S_OK) : E_POINTER; }
    HRESULT get_NameNoMnemonic(BSTR* name) override
    {
        return name ? (*name = wide(menu_->nameNoMnemonic()), S_OK) : E_POINTER;
    }
    HRESULT get_Count(long* count) override
    {
        return count ? (*count = static_cast<long>(menu_->items.size()), S_OK) : E_POINTER;
    }
    HRESULT get_OnMenuBar(VARIANT_BOOL* onBar) override
    {
        if (onBar == nullptr) return E_POINTER;
        *onBar = MenuModel::instance().onMenuBar(menu_.get()) ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    HRESULT Item(VARIANT index, IAcadPopupMenuItem** item) override
    {
        long position;
        std::string name;
        if (!readIndex(index, position, name)) return E_INVALIDARG;
        if (position < 0) {
            for (const MenuItem& it : menu_->items)
                if (strcasecmp(it.label.c_str(), name.c_str()) == 0)
                    return hand<IAcadPopupMenuItem>(new PopupMenuItemObject(it), item);
            return E_INVALIDARG;
        }
        if (position >= static_cast<long>(menu_->items.size())) return DISP_E_BADINDEX;
        return hand<IAcadPopupMenuItem>(new PopupMenuItemObject(menu_->items[position]), item);
    }
    HRESULT AddMenuItem(VARIANT index, BSTR label, BSTR macro, IAcadPopupMenuItem** item) override
    {
        return insert(index, MenuItem{MenuItem::Type::Item, narrow(label), narrow(macro)}, item);
    }
    HRESULT AddSeparator(VARIANT index, IAcadPopupMenuItem** item) override
    {
        return insert(index, MenuItem{MenuItem::Type::Separator, "", ""}, item);
    }
    HRESULT InsertInMenuBar(VARIANT index) override
    {
        long position;
        std::string name;
        if (!readIndex(index, position, name) || position < 0) return E_INVALIDARG;
        MenuModel::instance().insertInMenuBar(menu_, position);
        return S_OK;
    }
    HRESULT RemoveFromMenuBar() override
    {
        return MenuModel::instance().removeFromMenuBar(menu_.get()) ? S_OK : E_FAIL;
    }

private:
    HRESULT insert(const VARIANT& index, MenuItem entry, IAcadPopupMenuItem** item)
    {
        long position;
        std::string name;
        if (!readIndex(index, position, name) || position < 0) return E_INVALIDARG;
        auto& items = menu_->items;
        position = std::min(position, static_cast<long>(items.size()));
        items.insert(items.begin() + position, entry);
        if (item == nullptr) return S_OK;
        return hand<IAcadPopupMenuItem>(new PopupMenuItemObject(entry), item);
    }
    std::shared_ptr<PopupMenu> menu_;
};

std::shared_ptr<PopupMenu> findMenu(const std::vector<std::shared_ptr<PopupMenu>>& menus, const VARIANT& index,
                                    HRESULT& hr)
{
    long position;
    std::string name;
    hr = S_OK;
    if (!readIndex(index, position, name)) {
        hr = E_INVALIDARG;
        return nullptr;
    }
    if (position < 0) {
        for (const auto& menu : menus)
            if (strcasecmp(menu->name.c_str(), name.c_str()) == 0 ||
                strcasecmp(menu->nameNoMnemonic().c_str(), name.c_str()) == 0)
                return menu;
        hr = E_INVALIDARG;
        return nullptr;
    }
    if (position >= static_cast<long>(menus.size())) {
        hr = DISP_E_BADINDEX;
        return nullptr;
    }
    return menus[position];
}

class PopupMenusObject : public AutomationObject<IAcadPopupMenus> {
public:
    explicit PopupMenusObject(std::shared_ptr<MenuGroup> group)
        : AutomationObject(IID_IAcadPopupMenus), group_(std::move(group))
    {}
    HRESULT get_Count(long* count) override
    {
        return count ? (*count = static_cast<long>(group_->menus.size()), S_OK) : E_POINTER;
    }
    HRESULT Item(VARIANT index, IAcadPopupMenu** menu) override
    {
        HRESULT hr;
        auto found = findMenu(group_->menus, index, hr);
        if (!found) return hr;
        return hand<IAcadPopupMenu>(new PopupMenuObject(found), menu);
    }
    HRESULT Add(BSTR menuName, IAcadPopupMenu** menu) override
    {
        auto added = std::make_shared<PopupMenu>();
        added->name = narrow(menuName);
        group_->menus.push_back(added);
        if (menu == nullptr) return S_OK;
        return hand<IAcadPopupMenu>(new PopupMenuObject(added), menu);
    }
    HRESULT InsertMenuInMenuBar(BSTR menuName, VARIANT index) override
    {
        VARIANT byName;
        byName.vt = VT_BSTR;
        byName.bstrVal = menuName;
        HRESULT hr;
        auto found = findMenu(group_->menus, byName, hr);
        if (!found) return hr;
        long position;
        std::string unused;
        if (!readIndex(index, position, unused) || position < 0) return E_INVALIDARG;
        MenuModel::instance().insertInMenuBar(found, position);
        return S_OK;
    }
    HRESULT RemoveMenuFromMenuBar(VARIANT index) override
    {
        HRESULT hr;
        auto found = findMenu(MenuModel::instance().menuBar(), index, hr);
        if (!found) return hr;
        MenuModel::instance().removeFromMenuBar(found.get());
        return S_OK;
    }

private:
    std::shared_ptr<MenuGroup> group_;
};

class MenuGroupObject : public AutomationObject<IAcadMenuGroup> {
public:
    explicit MenuGroupObject(std::shared_ptr<MenuGroup> group)
        : AutomationObject(IID_IAcadMenuGroup), group_(std::move(group))
    {}
    HRESULT get_Name(BSTR* name) override { return name ? (*name = wide(group_->name), S_OK) : E_POINTER; }
    HRESULT get_Menus(IAcadPopupMenus** menus) override
    {
        return hand<IAcadPopupMenus>(new PopupMenusObject(group_), menus);
    }

private:
    std::shared_ptr<MenuGroup> group_;
};

class MenuGroupsObject : public AutomationObject<IAcadMenuGroups> {
public:
    MenuGroupsObject() : AutomationObject(IID_IAcadMenuGroups) {}
    HRESULT get_Count(long* count) override
    {
        return count ? (*count = static_cast<long>(MenuModel::instance().groups().size()), S_OK) : E_POINTER;
    }
    HRESULT Item(VARIANT index, IAcadMenuGroup** group) override
    {
        long position;
        std::string name;
        if (!readIndex(index, position, name)) return E_INVALIDARG;
        auto& groups = MenuModel::instance().groups();
        std::shared_ptr<MenuGroup> found;
        if (position < 0) found = MenuModel::instance().findGroup(name);
        else if (position < static_cast<long>(groups.size())) found = groups[position];
        if (!found) return position < 0 ? E_INVALIDARG : DISP_E_BADINDEX;
        return hand<IAcadMenuGroup>(new MenuGroupObject(found), group);
    }
};

class MenuBarObject : public AutomationObject<IAcadMenuBar> {
public:
    MenuBarObject() : AutomationObject(IID_IAcadMenuBar) {}
    HRESULT get_Count(long* count) override
    {
        return count ? (*count = static_cast<long>(MenuModel::instance().menuBar().size()), S_OK) : E_POINTER;
    }
    HRESULT Item(VARIANT index, IAcadPopupMenu** menu) override
    {
        HRESULT hr;
        auto found = findMenu(MenuModel::instance().menuBar(), index, hr);
        if (!found) return hr;
        return hand<IAcadPopupMenu>(new PopupMenuObject(found), menu);
    }
};

class ApplicationObject : public AutomationObject<IAcadApplication> {
public:
    ApplicationObject() : AutomationObject(IID_IAcadApplication) {}
    HRESULT get_MenuGroups(IAcadMenuGroups** groups) override
    {
        return hand<IAcadMenuGroups>(new MenuGroupsObject, groups);
    }
    HRESULT get_MenuBar(IAcadMenuBar** bar) override { return hand<IAcadMenuBar>(new MenuBarObject, bar); }
};

}  // namespace

IDispatch* acedGetIDispatch(bool bAddRef)
{
    // The application object lives as long as the host; the host holds one reference.
    static ApplicationObject* application = new ApplicationObject;
    if (bAddRef) application->AddRef();
    return application;
}
