// The host's automation model, the part that serves menus: the application object, its
// menu groups with their pop-up menus, and the menu bar.
#pragma once
#include "adesk.h"
#include "objbase.h"

struct IAcadMenuGroups;
struct IAcadMenuGroup;
struct IAcadPopupMenus;
struct IAcadPopupMenu;
struct IAcadPopupMenuItem;
struct IAcadMenuBar;

extern const IID IID_IAcadApplication;
extern const IID IID_IAcadMenuGroups;
extern const IID IID_IAcadMenuGroup;
extern const IID IID_IAcadPopupMenus;
extern const IID IID_IAcadPopupMenu;
extern const IID IID_IAcadPopupMenuItem;
extern const IID IID_IAcadMenuBar;

struct IAcadApplication : IDispatch {
    STDMETHOD(get_MenuGroups)(IAcadMenuGroups** groups) = 0;
    STDMETHOD(get_MenuBar)(IAcadMenuBar** bar) = 0;
};

struct IAcadMenuGroups : IDispatch {
    STDMETHOD(get_Count)(long* count) = 0;
    // Index: a VT_I2/VT_I4 position from 0, or a VT_BSTR group name.
    STDMETHOD(Item)(VARIANT index, IAcadMenuGroup** group) = 0;
};

struct IAcadMenuGroup : IDispatch {
    STDMETHOD(get_Name)(BSTR* name) = 0;
    STDMETHOD(get_Menus)(IAcadPopupMenus** menus) = 0;
};

struct IAcadPopupMenus : IDispatch {
    STDMETHOD(get_Count)(long* count) = 0;
    // Index: a position from 0, or a VT_BSTR label (compared as typed, mnemonics included).
    STDMETHOD(Item)(VARIANT index, IAcadPopupMenu** menu) = 0;
    STDMETHOD(Add)(BSTR menuName, IAcadPopupMenu** menu) = 0;
    STDMETHOD(InsertMenuInMenuBar)(BSTR menuName, VARIANT index) = 0;
    STDMETHOD(RemoveMenuFromMenuBar)(VARIANT index) = 0;
};

struct IAcadPopupMenu : IDispatch {
    STDMETHOD(get_Name)(BSTR* name) = 0;
    STDMETHOD(get_NameNoMnemonic)(BSTR* name) = 0;
    STDMETHOD(get_Count)(long* count) = 0;
    STDMETHOD(get_OnMenuBar)(VARIANT_BOOL* onBar) = 0;
    STDMETHOD(Item)(VARIANT index, IAcadPopupMenuItem** item) = 0;
    STDMETHOD(AddMenuItem)(VARIANT index, BSTR label, BSTR macro, IAcadPopupMenuItem** item) = 0;
    STDMETHOD(AddSeparator)(VARIANT index, IAcadPopupMenuItem** item) = 0;
    STDMETHOD(InsertInMenuBar)(VARIANT index) = 0;
    STDMETHOD(RemoveFromMenuBar)() = 0;
};

struct IAcadPopupMenuItem : IDispatch {
    STDMETHOD(get_Label)(BSTR* label) = 0;
    STDMETHOD(get_Macro)(BSTR* macro) = 0;
    // 0 a menu item, 1 a separator (the host's acMenuItem / acMenuSeparator).
    STDMETHOD(get_Type)(long* type) = 0;
};

struct IAcadMenuBar : IDispatch {
    STDMETHOD(get_Count)(long* count) = 0;
    STDMETHOD(Item)(VARIANT index, IAcadPopupMenu** menu) = 0;
};

// The application object; the caller releases it when bAddRef is true.
ACAD_PORT IDispatch* acedGetIDispatch(bool bAddRef);
