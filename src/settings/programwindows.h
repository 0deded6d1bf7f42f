#pragma once

#include <QtPlugin>

// The program's windows as the settings dialog reaches them. They sit above the dialog, so the
// application object, which holds them, answers for them.
class ProgramWindows
{
public:
    virtual ~ProgramWindows() = default;

    // The history window and the clipboard monitor take the theme now in use.
    virtual void applyThemeToWindows() = 0;
    virtual void showMonitor() = 0;
};

#define ProgramWindows_iid "org.morva.Kestovan.ProgramWindows"
Q_DECLARE_INTERFACE(ProgramWindows, ProgramWindows_iid)
