#pragma once

#include <QString>

// Writes a history file of exactly the clippings asked for, straight to the file: adding them to a
// model without saving would count each unsaved text with its margin, and the file-size rule would
// refuse the rest long before the number asked for.
namespace HistoryGenerator {

struct Options
{
    int clippings = 0;
    // Image clippings among them, spread evenly; their pictures are written into the image cache.
    int images = 0;
    // Clippings among them removed since, spread evenly, as the program leaves a removal: in its
    // place, emptied, with the time it was made (after the newest clipping).
    int removals = 0;
    // The applications the clippings come from, each with its own icon.
    int applications = 40;
    // Texts of this many characters, or of 20 to 180 when 0.
    int textLength = 0;
    // Pictures of this size (square), or of 400 to 1200 by 300 to 800 when 0.
    int imageSize = 0;
};

// Writes the history file at path, newest clipping first, seven seconds apart. Returns the number
// of clippings the written file holds, read back from it, or -1 when it could not be written or
// read.
int write(const QString &path, const Options &options);

// The number of clippings in the history file at path, or -1 when it does not read.
int countClippings(const QString &path);

} // namespace HistoryGenerator
