#pragma once

#include <QObject>
#include <QString>

// The global key monitor as keyword expansion sees it: every key typed and every click made in
// other applications while the monitor is installed (setupKeyListener), one signal each.
class KeyMonitor : public QObject
{
    Q_OBJECT

public:
    // One press a back end saw somewhere on the desktop, before filtering.
    struct Input
    {
        enum Kind { KeyPress, ButtonPress };

        Kind kind = KeyPress;
        QString text;                   // what the key types with the current modifiers
        int keyCode = 0;                // virtual key code
        bool modifierKey = false;       // Shift, Control, a lock key...: types nothing on its own
        bool controlOrSuperHeld = false;
        int button = 0;                 // 1 left, 2 middle, 3 right, 4 to 7 wheel

        static Input key(const QString &text, int keyCode, bool controlOrSuperHeld = false)
        {
            Input input;
            input.text = text;
            input.keyCode = keyCode;
            input.controlOrSuperHeld = controlOrSuperHeld;
            return input;
        }
        static Input modifier(int keyCode)
        {
            Input input;
            input.keyCode = keyCode;
            input.modifierKey = true;
            return input;
        }
        static Input click(int button)
        {
            Input input;
            input.kind = ButtonPress;
            input.button = button;
            return input;
        }
    };

    explicit KeyMonitor(QObject *parent = nullptr);

    // The monitor of the platform back end in use.
    static KeyMonitor *instance();

    // Turns what a back end saw into keyboardEvent, in the form the expander reads:
    // nothing for presses into our own windows, for modifier keys alone or for the middle button and
    // wheel; a break for keys pressed with Control or Super and for left and right clicks.
    void deliver(const Input &input, bool ownWindowFocused);

signals:
    // A key press with its text and virtual key code (Backspace is 51), or a break: empty text and 0.
    void keyboardEvent(const QString &text, int keyCode);
};
