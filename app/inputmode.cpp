#include "app/inputmode.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QEvent>
#include <QMetaProperty>
#include <QWindow>

InputMode::InputMode(QObject *parent)
    : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

void InputMode::frameFocus(QWindow *window) const
{
    // The item kept the keyboard while the popup was open, so it is not
    // focused again: it is told that the keyboard brought it there. The
    // window's focus object is its active item.
    QObject *item = window ? window->focusObject() : nullptr;
    if (!m_keyboard || !item)
        return;
    const QMetaObject *type = item->metaObject();
    const int reason = type->indexOfProperty("focusReason");
    if (reason >= 0)
        type->property(reason).write(item, QVariant::fromValue(Qt::TabFocusReason));
}

void InputMode::tellFocus(QWindow *window) const
{
    QObject *item = window ? window->focusObject() : nullptr;
    if (!item || !QAccessible::isActive())
        return;
    QAccessibleEvent focus(item, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

bool InputMode::eventFilter(QObject *watched, QEvent *event)
{
    bool keyboard = m_keyboard;
    bool pointing = m_pointing;
    switch (event->type()) {
    case QEvent::KeyPress:
        keyboard = true;
        pointing = false;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
        keyboard = false;
        pointing = true;
        break;
    // Moving the pointer does not take the frame from the keyboard's focus.
    case QEvent::MouseMove:
        pointing = true;
        break;
    default:
        break;
    }
    if (keyboard != m_keyboard) {
        m_keyboard = keyboard;
        emit keyboardChanged();
    }
    if (pointing != m_pointing) {
        m_pointing = pointing;
        emit pointingChanged();
    }
    return QObject::eventFilter(watched, event);
}
