import QtQuick 2.11
import QtQuick.Controls 2.4

// The window's menus: a plain framed sheet; opened from the keyboard, the
// first item that can be chosen is highlighted, so the arrows and Enter work
// at once.
Menu {
    id: menu

    function openFrom(button) {
        // Asked before the menu takes the keyboard from the button.
        var fromKeyboard = button.visualFocus;
        open();
        if (!fromKeyboard)
            return;
        for (var i = 0; i < count; ++i) {
            var item = itemAt(i);
            if (item.enabled && item.focusPolicy !== Qt.NoFocus) {
                currentIndex = i;
                item.forceActiveFocus(Qt.TabFocusReason);
                return;
            }
        }
    }

    transformOrigin: Menu.TopLeft
    onClosed: inputMode.frameFocus(ApplicationWindow.window)
    // Never over the tool bar it hangs from: in a short window the items
    // are lower and the list scrolls.
    topMargin: ApplicationWindow.window && ApplicationWindow.window.header
               ? ApplicationWindow.window.header.height : 0
    bottomMargin: 0
    height: Math.min(implicitHeight, ApplicationWindow.window ? ApplicationWindow.window.height - topMargin : implicitHeight)

    background: MaterialPopupBackground {
    }
}
