#ifndef INPUTMODE_H
#define INPUTMODE_H

#include <QObject>

class QWindow;

// Whether the operator is on the keyboard or on the mouse now. A dialog or a
// menu that closes hands the keyboard back to where it was; the item there is
// framed only while the keyboard is in use, as desktop toolkits do, so a mouse
// user sees no frame and a keyboard user sees where the keyboard went.
class InputMode : public QObject {
    Q_OBJECT
    // Whether the last key or press came from the keyboard.
    Q_PROPERTY(bool keyboard READ keyboard NOTIFY keyboardChanged)
    // Whether the pointer moved or pressed since the last key: a pointer
    // left on a button while the operator types has not come to it, however
    // often the items under it change (a dialog closing, a page shown).
    Q_PROPERTY(bool pointing READ pointing NOTIFY pointingChanged)

public:
    // Watches every key and press of the application from now on.
    explicit InputMode(QObject *parent = nullptr);

    // Frames the item that has the keyboard in `window`, if the keyboard is
    // in use.
    Q_INVOKABLE void frameFocus(QWindow *window) const;
    // Tells a screen reader again where the keyboard is in `window`: it is
    // not told when the window becomes active, and the activation it hears
    // replaces what it heard of the focus before.
    Q_INVOKABLE void tellFocus(QWindow *window) const;

    bool keyboard() const { return m_keyboard; }
    bool pointing() const { return m_pointing; }

signals:
    void keyboardChanged();
    void pointingChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_keyboard = false;
    bool m_pointing = false;
};

#endif // INPUTMODE_H
