import QtQuick 2.11
import QtQuick.Controls 2.4

// The window's menus: a plain framed sheet; opened from the keyboard, the
// first item that can be chosen is highlighted, so the arrows and Enter work
// at once.
Menu {
    id: menu

    function openFrom(button) {
        open();
        if (!button.visualFocus)
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

    background: MaterialPopupBackground {
    }
}
