import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3

// A menu item with a key sequence that works while the menu is closed, shown
// at the item's end in the platform's words ("Ctrl+Q").
AppMenuItem {
    id: item

    property alias sequence: shortcut.sequence

    Shortcut {
        id: shortcut

        enabled: item.enabled
        onActivated: item.triggered()
    }

    // Over the style's own content, at the item's end; a menu being torn
    // down with its window may take the item from it first.
    Label {
        anchors.right: parent ? parent.right : undefined
        anchors.rightMargin: item.rightPadding
        anchors.verticalCenter: parent ? parent.verticalCenter : undefined
        text: shortcut.nativeText
        color: item.Material.hintTextColor
        Accessible.ignored: true
    }
}
