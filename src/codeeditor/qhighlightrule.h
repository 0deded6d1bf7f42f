#pragma once

#include <QRegularExpression>
#include <QString>

// One highlighting rule: every match of the pattern gets the scheme's format of that name.
struct QHighlightRule
{
    QRegularExpression pattern;
    QString formatName;
};
