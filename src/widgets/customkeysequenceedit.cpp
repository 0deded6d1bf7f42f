#include "widgets/customkeysequenceedit.h"

#include "common/hotkeychord.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringList>
#include <QToolTip>

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
    const QKeyCombination chord = event->keyCombination();
    const bool commandHeld = chord.keyboardModifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if ((chord.key() == Qt::Key_Backspace || chord.key() == Qt::Key_Delete) && !commandHeld) {
        clear();
        event->accept();
        return;
    }

    // Trimming the sequence below restarts the base editor's recording, so a second chord typed
    // at once would replace the first; drop it here instead.
    if (m_chordRecorded) {
        event->accept();
        return;
    }
    if (!isGlobalHotkeyChord(chord)) {
        refuse(event);
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

void CustomKeySequenceEdit::refuse(QKeyEvent *event)
{
    const Qt::Key key = event->keyCombination().key();
    if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
        // For the dialog: Escape cancels it, Return presses its default button.
        event->ignore();
        return;
    }
    event->accept();
    if (key == Qt::Key_Tab) {
        // The base editor takes Tab to record it; alone it moves on, as in every other field.
        focusNextPrevChild(true);
    } else if (!isModifierKey(key)) {
        QToolTip::showText(mapToGlobal(QPoint(0, height())),
                           tr("Hold Ctrl, Alt or Meta with the key; only F1 to F35 work alone."), this);
    }
}

void CustomKeySequenceEdit::focusOutEvent(QFocusEvent *event)
{
    m_chordRecorded = false;
    QKeySequenceEdit::focusOutEvent(event);
}

void CustomKeySequenceEdit::changeEvent(QEvent *event)
{
    // The base class writes its hint once, when it is made, and the key names ("Strg" in German)
    // only when the sequence changes; both would stay in the old language.
    if (event->type() == QEvent::LanguageChange) {
        if (auto *field = findChild<QLineEdit *>()) {
            field->setPlaceholderText(QCoreApplication::translate("QKeySequenceEdit", "Press shortcut"));
            field->setText(keySequence().toString(QKeySequence::NativeText));
        }
    }
    QKeySequenceEdit::changeEvent(event);
}
