#include "window/rowtext.h"

#include "common/utils.h"

namespace {

// Characters in a prefix that cannot fit the width: every visible character is at least a pixel.
int prefixLength(int width)
{
    return qMax(width, 64) + 1;
}

} // namespace

namespace RowText {

QString elided(const QFontMetrics &metrics, const QString &text, int width)
{
    const int length = prefixLength(width);
    if (text.size() > length) {
        const QString prefix = text.left(length);
        const QString cut = metrics.elidedText(prefix, Qt::ElideRight, width);
        // A prefix that fits after all (zero-width characters) says nothing about the whole text.
        if (cut != prefix)
            return cut;
    }
    return metrics.elidedText(text, Qt::ElideRight, width);
}

QString elidedOneLiner(const QFontMetrics &metrics, const QString &text, int width)
{
    // Blank lines and indentation shrink in the one-liner; a prefix twice as long covers them
    // unless the text is mostly blank, and then the whole text is used.
    const int length = 2 * prefixLength(width);
    if (text.size() > length) {
        const QString line = Utils::makeOneLiner(text.left(length));
        if (line.size() > prefixLength(width)) {
            const QString cut = metrics.elidedText(line, Qt::ElideRight, width);
            if (cut != line)
                return cut;
        }
    }
    return metrics.elidedText(Utils::makeOneLiner(text), Qt::ElideRight, width);
}

} // namespace RowText
