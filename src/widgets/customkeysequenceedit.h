#pragma once

#include <QKeySequenceEdit>

// A global hotkey field that holds a single key chord: the first of the current recording. Only a
// chord that may be grabbed from the whole desktop is recorded; Backspace or Delete alone empties it.
class CustomKeySequenceEdit : public QKeySequenceEdit
{
    Q_OBJECT

public:
    explicit CustomKeySequenceEdit(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void refuse(QKeyEvent *event);

    // Set once a chord is recorded and until the recording ends; later chords are dropped.
    bool m_chordRecorded = false;
};
