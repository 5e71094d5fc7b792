// Resources of a module, as its .rc file would declare them: dialog templates, string tables
// and bitmaps, each found by its numeric id. A module builds one AfxModuleResources table and
// registers it for its instance handle (afxheadless.h); that registration stands in for the
// resource section of the module's image.
#pragma once
#include <vector>

#include "windows.h"

// Dialog command ids, with the values Windows gives them.
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDCLOSE 8
#define IDHELP 9
#define IDC_STATIC (-1)

// The control statements of a dialog template.
enum class AfxControlType {
    LText,  // left-aligned static text
    CText,  // centred static text
    RText,  // right-aligned static text
    GroupBox,
    PushButton,
    DefPushButton,  // the button that Enter presses
    AutoCheckBox,   // toggles itself when clicked, then notifies the dialog
    Picture,        // a static control showing a bitmap (text: none)
};

// Position and size are in dialog units, as in the .rc file.
struct AfxControlResource {
    AfxControlType type;
    int id;
    const char* text;
    int x, y, cx, cy;
};

struct AfxDialogResource {
    UINT id;
    const char* caption;
    int cx, cy;
    std::vector<AfxControlResource> controls;
};

struct AfxStringResource {
    UINT id;
    const char* text;
};

// A bitmap is known by its size and colour depth; a headless host never paints it.
struct AfxBitmapResource {
    UINT id;
    LONG width;
    LONG height;
    WORD bitsPerPixel;
};

enum class AfxResourceKind { Dialog, String, Bitmap };

struct AfxModuleResources {
    std::vector<AfxDialogResource> dialogs;
    std::vector<AfxStringResource> strings;
    std::vector<AfxBitmapResource> bitmaps;

    const AfxDialogResource* findDialog(UINT id) const;
    const AfxStringResource* findString(UINT id) const;
    const AfxBitmapResource* findBitmap(UINT id) const;
    bool contains(UINT id, AfxResourceKind kind) const;
};
