// Writes values into Kestovan's settings store before the end-to-end cases start the program, in
// the types the program reads them as:
//   kestovan_settings KEY=VALUE...         text values
//   kestovan_settings --int KEY=NUMBER...  integers
//   kestovan_settings --bool KEY=true|false...
//   kestovan_settings --map KEY ENTRY=VALUE...  a map of texts (e.g. "ActionShortcuts")
//   kestovan_settings --get KEY            prints a value as text (a point or size as "x y", a map
//                                          as one "ENTRY=VALUE" line per entry)
// The store is the one the program opens: organisation "Morva", application "Kestovan", under
// XDG_CONFIG_HOME.

#include <QCoreApplication>
#include <QPoint>
#include <QSettings>
#include <QSize>
#include <QVariantMap>

#include <cstdio>

namespace {

bool splitPair(const QString &argument, QString *key, QString *value)
{
    const qsizetype at = argument.indexOf('=');
    if (at <= 0)
        return false;
    *key = argument.left(at);
    *value = argument.mid(at + 1);
    return true;
}

int usage()
{
    std::fputs("usage: kestovan_settings [--int|--bool] KEY=VALUE... | --map KEY ENTRY=VALUE... | --get KEY\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Morva");
    QCoreApplication::setApplicationName("Kestovan");
    QStringList arguments = app.arguments().mid(1);
    if (arguments.isEmpty())
        return usage();

    QSettings settings;
    const QString mode = arguments.first().startsWith("--") ? arguments.takeFirst() : QString();
    if (mode == "--get") {
        if (arguments.size() != 1)
            return usage();
        const QVariant value = settings.value(arguments.first());
        QString text = value.toString();
        if (value.typeId() == QMetaType::QPoint)
            text = QString("%1 %2").arg(value.toPoint().x()).arg(value.toPoint().y());
        else if (value.typeId() == QMetaType::QSize)
            text = QString("%1 %2").arg(value.toSize().width()).arg(value.toSize().height());
        else if (value.typeId() == QMetaType::QVariantMap) {
            QStringList lines;
            const QVariantMap map = value.toMap();
            for (auto it = map.cbegin(); it != map.cend(); ++it)
                lines.append(it.key() + "=" + it.value().toString());
            text = lines.join('\n');
        }
        std::fputs(text.toUtf8().constData(), stdout);
        std::fputc('\n', stdout);
        return 0;
    }
    if (mode == "--map") {
        if (arguments.isEmpty())
            return usage();
        const QString key = arguments.takeFirst();
        QVariantMap map;
        for (const QString &argument : std::as_const(arguments)) {
            QString entry, value;
            if (!splitPair(argument, &entry, &value))
                return usage();
            map.insert(entry, value);
        }
        settings.setValue(key, map);
    } else {
        for (const QString &argument : std::as_const(arguments)) {
            QString key, value;
            if (!splitPair(argument, &key, &value))
                return usage();
            if (mode == "--int")
                settings.setValue(key, value.toInt());
            else if (mode == "--bool")
                settings.setValue(key, value == "true");
            else if (mode.isEmpty())
                settings.setValue(key, value);
            else
                return usage();
        }
    }
    settings.sync();
    return settings.status() == QSettings::NoError ? 0 : 1;
}
