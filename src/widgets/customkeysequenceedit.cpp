#include "widgets/customkeysequenceedit.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringList>

CustomKeySequenceEdit::CustomKeySequenceEdit(QWidget *parent)
    : QKeySequenceEdit(parent)
{
    // A recording ends a second after the last key is released, or when the field is cleared.
    connect(this, &QKeySequenceEdit::editingFinished, this, [this] { m_chordRecorded = false; });
    connect(this, &QKeySequenceEdit::keySequenceChanged, this, [this](const QKeySequence &sequence) {
        if (sequence.isEmpty())
            m_chordRecorded = false;
    });
}

void CustomKeySequenceEdit::keyPressEvent(QKeyEvent *event)
{
    // Trimming the sequence below restarts the base editor's recording, so a second chord typed
    // at once would replace the first; drop it here instead.
    if (m_chordRecorded) {
        event->accept();
        return;
    }

    QKeySequenceEdit::keyPressEvent(event);

    const QString recorded = keySequence().toString(QKeySequence::PortableText);
    const QString first = recorded.split(", ", Qt::KeepEmptyParts).first();
    const QKeySequence single = QKeySequence::fromString(first, QKeySequence::PortableText);
    // Setting an equal sequence would still stop the recording's timer.
    if (single != keySequence())
        setKeySequence(single);
    if (!single.isEmpty())
        m_chordRecorded = true;
}

void CustomKeySequenceEdit::focusOutEvent(QFocusEvent *event)
{
    m_chordRecorded = false;
    QKeySequenceEdit::focusOutEvent(event);
}

void CustomKeySequenceEdit::changeEvent(QEvent *event)
{
    // The base class sets its hint once, when it is made; it would stay in the old language.
    if (event->type() == QEvent::LanguageChange) {
        if (auto *field = findChild<QLineEdit *>())
            field->setPlaceholderText(QCoreApplication::translate("QKeySequenceEdit", "Press shortcut"));
    }
    QKeySequenceEdit::changeEvent(event);
}
