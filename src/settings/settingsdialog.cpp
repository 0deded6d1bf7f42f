#include "settings/settingsdialog.h"

#include "common/defaultsettings.h"
#include "platform/platform.h"
#include "common/theme.h"
#include "common/translation.h"
#include "common/utils.h"

void SettingsDialog::updateDefaultSettings()
{
    QSettings settings = Utils::settings();
    for (const DefaultSetting &setting : defaultSettings())
        settings.setValue(setting.key, settings.value(setting.key, setting.value));

    const int theme = settings.value("Theme").toInt();
    if (theme != 2)
        setTheme(THEME(theme));
    else
        setTheme(isDarkMode() ? THEME_DARK : THEME_LIGHT);

    settings.setValue("Language", settings.value("Language", defaultLanguage()));
    Translation::selectLanguage(settings.value("Language").toString());
}
