#include "settings/syncsettings.h"

SyncSettings::SyncSettings(QWidget *parent)
    : QWidget(parent)
{
}

void SyncSettings::setSync(Sync *sync)
{
    m_sync = sync;
}

void SyncSettings::initialize()
{
}

void SyncSettings::updateControls()
{
}

bool SyncSettings::onAccepted()
{
    return false;
}

void SyncSettings::onRejected()
{
}

void SyncSettings::clicked()
{
}

void SyncSettings::retranslateUi()
{
}
