import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3

// A scroll bar with a slim, rounded, quiet handle, long enough to be seen and
// taken however long the content.
ScrollBar {
    id: control

    padding: 1
    minimumSize: 0.1

    contentItem: Rectangle {
        implicitWidth: 4
        implicitHeight: 24
        radius: width / 2
        color: control.pressed || control.hovered ? Material.color(Material.Grey, Material.Shade700)
                                                  : Material.color(Material.Grey, Material.Shade500)
        // Only when there is something to scroll.
        visible: control.size < 1.0
    }
}
