#pragma once

#include <QString>

// Tells the user about a problem in a parentless warning box titled "Kestovan" with one OK button,
// and logs the text. No box is shown where nobody could answer it (the offscreen platform).
void showUserWarning(const QString &text);
