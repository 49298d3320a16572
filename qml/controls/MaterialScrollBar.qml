import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3

// A scroll bar with a slim, rounded accent handle.
ScrollBar {
    id: control

    contentItem: Rectangle {
        implicitWidth: 6
        implicitHeight: 100
        radius: width / 2
        color: control.pressed ? Qt.darker(Material.accent) : Material.accent
        // Only when there is something to scroll.
        visible: control.size < 1.0
    }
}
