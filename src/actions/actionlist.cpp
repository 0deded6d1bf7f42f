#include "actions/actionlist.h"

#include <QSettings>

ActionList::ActionList(QWidget *parent)
    : QListWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setSelectionMode(QAbstractItemView::NoSelection);
    scanFiles();
}

void ActionList::scanFiles()
{
}

void ActionList::saveSettings(QSettings &settings)
{
    Q_UNUSED(settings);
}
