#pragma once

#include <QMap>
#include <QObject>
#include <QString>
#include <QTextCharFormat>

// A named colour scheme read from a "style-scheme" XML text: one character format per style name.
class QSyntaxStyle : public QObject
{
    Q_OBJECT

public:
    explicit QSyntaxStyle(QObject *parent = nullptr);

    // Parses the XML text (not a file name). Formats of an earlier load stay; a new load adds and
    // replaces. Returns whether the text was read without an XML error.
    bool load(const QString &text);

    QString name() const;
    // A copy of the style's format; an empty format for a name the scheme lacks.
    QTextCharFormat getFormat(const QString &name) const;
    bool isLoaded() const;

    // The process-wide scheme from ":/default_style.xml"; a failed load is tried again next time.
    static QSyntaxStyle *defaultStyle();

private:
    QString m_name;
    QMap<QString, QTextCharFormat> m_data;
    bool m_loaded = false;
};
