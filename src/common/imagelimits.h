#pragma once

#include <QByteArray>
#include <QSize>

// How large a picture the program decodes. The decoder's own default (128 MB) refuses an 8K
// screenshot; this takes any picture a screen or a camera makes, and still refuses a small file
// that claims billions of pixels before any memory is taken for them.
namespace ImageLimits {

// The memory one decoded picture may take: 16384 x 16384 pixels of four bytes.
constexpr int MaxMegabytes = 1024;

// Sets the limit for every picture this process decodes from then on.
void apply();

// The size a picture in bytes claims when that is past the limit; an invalid size for a picture
// within it, or for bytes that are no picture.
QSize refusedSize(const QByteArray &bytes);

} // namespace ImageLimits
