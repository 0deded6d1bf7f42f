#pragma once

#include <QString>

class QMessageBox;

// Tells the user about a problem in a warning box titled "Kestovan" with one OK button, and logs
// the text. One box at a time and no nested event loop: a warning that comes while a box is open
// waits until it is closed, and a text already open or waiting is not added again. No box is shown
// where nobody could answer it (the offscreen platform) unless a test asks for boxes.
void showUserWarning(const QString &text);

// For a failure that may repeat with every attempt, such as a save on a full or read-only disk:
// the warning of a kind is shown once, and again only after clearUserWarning(kind) said that the
// thing worked in between.
void showUserWarningOnce(const QString &kind, const QString &text);
void clearUserWarning(const QString &kind);

namespace UserWarning {
// Whether boxes are shown; by default not on the offscreen and minimal platforms.
void setBoxesShown(bool shown);
// The box on screen, or null.
QMessageBox *currentBox();
} // namespace UserWarning
