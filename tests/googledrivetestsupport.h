#pragma once

#include "sync/sync.h"
#include "sync/syncgoogledrive.h"

// The engine's Google Drive target as the class the tests know; they link the network library, so
// the engine always has one.
inline SyncGoogleDrive *googleDriveOf(Sync &engine)
{
    return qobject_cast<SyncGoogleDrive *>(engine.googleDrive());
}
