#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/starter_menu.h"

using namespace kestra;

namespace {

// Fakes of the host's menu automation, owned by the test. Each counts its references, so a
// test can check that every reference handed out was released.
template <typename Interface>
class Counted : public Interface {
public:
    HRESULT QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; }
    ULONG refs = 1;
};

template <typename Interface, typename Fake>
HRESULT handOut(Fake* fake, Interface** out)
{
    *out = fake;
    if (fake != nullptr) fake->AddRef();
    return fake ? S_OK : E_INVALIDARG;
}

std::wstring wide(const char* text) { return std::wstring(text, text + std::char_traits<char>::length(text)); }

class FakeItem final : public Counted<IAcadPopupMenuItem> {
public:
    FakeItem(std::wstring label, std::wstring macro, long type)
        : label(std::move(label)), macro(std::move(macro)), type(type)
    {}
    HRESULT get_Label(BSTR* out) override
    {
        *out = SysAllocString(label.c_str());
        return S_OK;
    }
    HRESULT get_Macro(BSTR* out) override
    {
        *out = SysAllocString(macro.c_str());
        return S_OK;
    }
    HRESULT get_Type(long* out) override
    {
        *out = type;
        return S_OK;
    }
    std::wstring label, macro;
    long type;
};

class FakeMenu final : public Counted<IAcadPopupMenu> {
public:
    explicit FakeMenu(std::wstring name, bool onBar = false) : name(std::move(name)), onBar(onBar) {}
    HRESULT get_Name(BSTR* out) override
    {
        *out = SysAllocString(name.c_str());
        return S_OK;
    }
    HRESULT get_NameNoMnemonic(BSTR* out) override { return get_Name(out); }
    HRESULT get_Count(long* out) override
    {
        *out = static_cast<long>(items.size());
        return S_OK;
    }
    HRESULT get_OnMenuBar(VARIANT_BOOL* out) override
    {
        *out = onBar ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    HRESULT Item(VARIANT index, IAcadPopupMenuItem** out) override
    {
        if (index.vt != VT_I4 || index.lVal < 0 || index.lVal >= static_cast<long>(items.size())) return E_INVALIDARG;
        return handOut(items[static_cast<size_t>(index.lVal)].get(), out);
    }
    HRESULT AddMenuItem(VARIANT index, BSTR label, BSTR macro, IAcadPopupMenuItem** out) override
    {
        return insert(index, std::make_unique<FakeItem>(label, macro, 0), out);
    }
    HRESULT AddSeparator(VARIANT index, IAcadPopupMenuItem** out) override
    {
        return insert(index, std::make_unique<FakeItem>(L"", L"", 1), out);
    }
    HRESULT InsertInMenuBar(VARIANT index) override
    {
        if (index.vt != VT_I4) return E_INVALIDARG;
        insertedAt = index.lVal;
        onBar = true;
        return S_OK;
    }
    HRESULT RemoveFromMenuBar() override
    {
        onBar = false;
        return S_OK;
    }

    std::wstring name;
    bool onBar;
    std::optional<long> insertedAt;
    std::vector<std::unique_ptr<FakeItem>> items;

private:
    HRESULT insert(VARIANT index, std::unique_ptr<FakeItem> item, IAcadPopupMenuItem** out)
    {
        if (index.vt != VT_I4 || index.lVal < 0 || index.lVal > static_cast<long>(items.size())) return E_INVALIDARG;
        auto at = items.insert(items.begin() + index.lVal, std::move(item));
        return handOut(at->get(), out);
    }
};

class FakeMenus final : public Counted<IAcadPopupMenus> {
public:
    HRESULT get_Count(long* out) override
    {
        *out = static_cast<long>(menus.size());
        return S_OK;
    }
    HRESULT Item(VARIANT index, IAcadPopupMenu** out) override
    {
        ++lookups;
        *out = nullptr;
        if (index.vt == VT_BSTR) {
            for (auto& menu : menus)
                if (menu->name == index.bstrVal) return handOut(menu.get(), out);
            return E_INVALIDARG;
        }
        if (index.vt != VT_I4 || index.lVal < 0 || index.lVal >= static_cast<long>(menus.size())) return E_INVALIDARG;
        return handOut(menus[static_cast<size_t>(index.lVal)].get(), out);
    }
    HRESULT Add(BSTR name, IAcadPopupMenu** out) override
    {
        menus.push_back(std::make_unique<FakeMenu>(name));
        ++added;
        return handOut(menus.back().get(), out);
    }
    HRESULT InsertMenuInMenuBar(BSTR, VARIANT) override { return E_NOTIMPL; }
    HRESULT RemoveMenuFromMenuBar(VARIANT) override { return E_NOTIMPL; }

    std::vector<std::unique_ptr<FakeMenu>> menus;
    int lookups = 0;
    int added = 0;
};

class FakeGroup final : public Counted<IAcadMenuGroup> {
public:
    explicit FakeGroup(std::wstring name) : name(std::move(name)) {}
    HRESULT get_Name(BSTR* out) override
    {
        *out = SysAllocString(name.c_str());
        return S_OK;
    }
    HRESULT get_Menus(IAcadPopupMenus** out) override
    {
        if (menusFail) {
            *out = nullptr;
            return E_FAIL;
        }
        return handOut(&menus, out);
    }
    FakeMenu& addMenu(const char* label, bool onBar = false)
    {
        menus.menus.push_back(std::make_unique<FakeMenu>(wide(label), onBar));
        return *menus.menus.back();
    }
    std::wstring name;
    FakeMenus menus;
    bool menusFail = false;
};

class FakeGroups final : public Counted<IAcadMenuGroups> {
public:
    HRESULT get_Count(long* out) override
    {
        *out = static_cast<long>(groups.size());
        return S_OK;
    }
    HRESULT Item(VARIANT index, IAcadMenuGroup** out) override
    {
        if (index.vt != VT_I4 || index.lVal < 0 || index.lVal >= static_cast<long>(groups.size())) {
            *out = nullptr;
            return E_INVALIDARG;
        }
        return handOut(groups[static_cast<size_t>(index.lVal)].get(), out);
    }
    std::vector<std::unique_ptr<FakeGroup>> groups;
};

class FakeBar final : public Counted<IAcadMenuBar> {
public:
    HRESULT get_Count(long* out) override
    {
        *out = count;
        return S_OK;
    }
    HRESULT Item(VARIANT, IAcadPopupMenu** out) override
    {
        *out = nullptr;
        return E_NOTIMPL;
    }
    long count = 0;
};

class FakeApplication final : public Counted<IAcadApplication> {
public:
    HRESULT get_MenuGroups(IAcadMenuGroups** out) override { return handOut(&groups, out); }
    HRESULT get_MenuBar(IAcadMenuBar** out) override { return handOut(&bar, out); }

    FakeGroup& addGroup(const char* name)
    {
        groups.groups.push_back(std::make_unique<FakeGroup>(wide(name)));
        return *groups.groups.back();
    }
    // Every reference handed out has been released again.
    bool balanced() const
    {
        if (refs != 1 || groups.refs != 1 || bar.refs != 1) return false;
        for (const auto& group : groups.groups) {
            if (group->refs != 1 || group->menus.refs != 1) return false;
            for (const auto& menu : group->menus.menus) {
                if (menu->refs != 1) return false;
                for (const auto& item : menu->items)
                    if (item->refs != 1) return false;
            }
        }
        return true;
    }

    FakeGroups groups;
    FakeBar bar;
};

}  // namespace

TEST(StarterMenuTest, AddsTheMenuToTheLastGroupAndPutsItBeforeTheLastTwoEntries)
{
    FakeApplication application;
    application.bar.count = 5;
    application.addGroup("ACAD").addMenu("&File", true);
    FakeGroup& last = application.addGroup("EXPRESS");
    last.addMenu("E&xpress", true);

    EXPECT_TRUE(installStarterMenu(&application));
    ASSERT_EQ(last.menus.menus.size(), 2u);
    EXPECT_EQ(application.groups.groups[0]->menus.added, 0);
    const FakeMenu& menu = *last.menus.menus[1];
    EXPECT_EQ(menu.name, L"&Kestra");
    ASSERT_EQ(menu.items.size(), 3u);
    EXPECT_EQ(menu.items[0]->label, L"Install the pull-down menu and the toolbar");
    EXPECT_EQ(menu.items[0]->macro, L"KSMENU ");
    EXPECT_EQ(menu.items[0]->type, 0);
    EXPECT_EQ(menu.items[1]->type, 1);
    EXPECT_EQ(menu.items[2]->label, L"Help on the Kestra menu");
    EXPECT_EQ(menu.items[2]->macro, L"KSMENU? ");
    EXPECT_EQ(menu.insertedAt, 3);
    EXPECT_TRUE(application.balanced());
}

TEST(StarterMenuTest, ShortMenuBarsGetTheMenuAtTheEnd)
{
    for (long barCount : {0L, 1L, 2L}) {
        FakeApplication application;
        application.bar.count = barCount;
        FakeGroup& group = application.addGroup("ACAD");
        EXPECT_TRUE(installStarterMenu(&application));
        ASSERT_EQ(group.menus.menus.size(), 1u);
        EXPECT_EQ(group.menus.menus[0]->insertedAt, barCount >= 2 ? barCount - 2 : barCount) << barCount;
    }
}

TEST(StarterMenuTest, FirstGroupHoldingTheMenuEndsTheSearch)
{
    FakeApplication application;
    application.bar.count = 4;
    application.addGroup("ACAD");
    FakeMenu& found = application.addGroup("KESTRA").addMenu("&Kestra");
    FakeGroup& later = application.addGroup("OTHER");
    later.addMenu("&Kestra");

    EXPECT_TRUE(installStarterMenu(&application));
    EXPECT_EQ(found.insertedAt, 2);
    EXPECT_TRUE(found.items.empty());  // found, not rebuilt
    EXPECT_EQ(later.menus.lookups, 0);
    EXPECT_EQ(later.menus.added, 0);
    EXPECT_TRUE(application.balanced());
}

TEST(StarterMenuTest, MenuAlreadyOnTheBarIsLeftAlone)
{
    FakeApplication application;
    application.bar.count = 6;
    FakeMenu& menu = application.addGroup("ACAD").addMenu("&Kestra", true);
    EXPECT_TRUE(installStarterMenu(&application));
    EXPECT_FALSE(menu.insertedAt);
    EXPECT_TRUE(application.balanced());
}

TEST(StarterMenuTest, GroupThatFailsIsSkipped)
{
    FakeApplication application;
    application.bar.count = 3;
    FakeGroup& broken = application.addGroup("BROKEN");
    broken.menusFail = true;
    FakeMenu& menu = application.addGroup("ACAD").addMenu("&Kestra");
    EXPECT_TRUE(installStarterMenu(&application));
    EXPECT_EQ(menu.insertedAt, 1);
    EXPECT_TRUE(application.balanced());
}

TEST(StarterMenuTest, NothingToInstallIntoWithoutGroupsOrApplication)
{
    FakeApplication application;
    application.bar.count = 3;
    EXPECT_FALSE(installStarterMenu(&application));
    EXPECT_TRUE(application.balanced());
    EXPECT_FALSE(installStarterMenu(nullptr));

    FakeApplication lastGroupBroken;
    lastGroupBroken.addGroup("ACAD").menusFail = true;
    EXPECT_FALSE(installStarterMenu(&lastGroupBroken));
    EXPECT_TRUE(lastGroupBroken.balanced());
}
