// Controls of the headless MFC subset that have no MFC counterpart: the resource tables of
// modules, the list of windows that tests inspect, and the console that modal dialogs use.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "afxwin.h"

// Registers the resource table of a module instance (the table must outlive the
// registration); a second registration of the same instance replaces the first.
void AfxRegisterModuleResources(HINSTANCE hModule, const AfxModuleResources* resources);
void AfxUnregisterModuleResources(HINSTANCE hModule);
const AfxModuleResources* AfxModuleResourcesOf(HINSTANCE hModule);

// The size of the screen that windows are centred on, in pixels.
constexpr LONG kAfxScreenWidth = 1024;
constexpr LONG kAfxScreenHeight = 768;

// One top-level window (child controls are not listed), as it is at the moment of the call.
struct AfxWindowInfo {
    HWND hwnd;
    std::string className;
    std::string title;
    DWORD style;
    DWORD exStyle;
    RECT rect;
    bool visible;
    bool modal;                                     // a dialog running DoModal
    std::vector<std::pair<UINT_PTR, UINT>> timers;  // (id, elapse in milliseconds)
};
// The top-level windows in creation order.
std::vector<AfxWindowInfo> AfxHeadlessWindows();

// The size and position the host keeps for a named dialog (its last run); false when none.
bool AfxKeptDialogPlacement(const char* dialogName, RECT& rect);

// Where modal dialogs print and read. The default console prints with acutPrintf and reads
// with acedGetString, so dialogs take their answers from the host's current input.
class AfxDialogConsole {
public:
    virtual ~AfxDialogConsole() = default;
    virtual void print(const char* text) = 0;
    // False when no answer can be had (cancelled, end of input).
    virtual bool ask(const char* prompt, std::string& answer) = 0;
};
// Replaces the console (null restores the host's); the caller keeps ownership.
void AfxSetDialogConsole(AfxDialogConsole* console);
AfxDialogConsole& AfxGetDialogConsole();
