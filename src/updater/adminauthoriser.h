#pragma once

#include <QString>
#include <QStringList>

namespace QtAutoUpdater {

// Starts the maintenance tool with administrator rights when the update needs them. The program
// supplies none; the updater runs the tool as the current user without one.
class AdminAuthoriser
{
public:
    virtual ~AdminAuthoriser() = default;
    virtual bool isElevated() = 0;
    virtual bool runElevated(const QString &program, const QStringList &arguments) = 0;
};

} // namespace QtAutoUpdater
