#pragma once

class SettingsDialog
{
public:
    // Writes every missing main key, then applies the stored theme and language. Runs once at start,
    // before anything reads a setting; a stored value is never replaced.
    static void updateDefaultSettings();
};
