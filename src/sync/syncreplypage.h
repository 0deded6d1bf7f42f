#pragma once

#include <QByteArray>

// The page the browser shows when Google sends it back to the program after a sign-in.
namespace SyncReplyPage {

// The page with its texts in the chosen language; empty when the resource is missing.
QByteArray html();

} // namespace SyncReplyPage
