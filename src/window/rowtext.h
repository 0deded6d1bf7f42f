#pragma once

#include <QFontMetrics>
#include <QString>

// Texts of list rows cut to the row's width. A clipping can be megabytes long while a row shows a
// few dozen characters: only a prefix that surely overflows the row is laid out.
namespace RowText {

// The text elided at the right to the width, as QFontMetrics::elidedText gives it.
QString elided(const QFontMetrics &metrics, const QString &text, int width);
// The text made into one line (Utils::makeOneLiner), elided at the right to the width.
QString elidedOneLiner(const QFontMetrics &metrics, const QString &text, int width);

} // namespace RowText
