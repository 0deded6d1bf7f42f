#pragma once

#include <QString>

#include <memory>

class QSettings;

// The settings store's file is handled like every data file: only a regular file (a link to one
// followed) is opened, since a pipe in its place would hold the start for ever and a device could
// be read without end or, on the first save, be replaced. What cannot be used is neither read nor
// written over: the store lives in a private stand-in for the rest of the run and starts empty, so
// every setting takes its default.
namespace SettingsFile {

// The store's file, where Utils::settings() reads and writes now.
QString path();

// The file of the stand-in store while the settings file cannot be used, else an empty text. The
// first refusal of a file is said once, in the log and to the user.
QString standIn();

// The user's native store, where the sign-in keeps its tokens also in portable mode, or its
// stand-in while one of its files cannot be used.
std::unique_ptr<QSettings> nativeStore();

// Writes what settings holds to its file and checks that it was stored. A failure is said once,
// and again only after a write worked in between, as for the other data files.
bool commit(QSettings &settings);

} // namespace SettingsFile
