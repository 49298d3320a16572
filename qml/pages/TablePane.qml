import QtQuick 2.11
import QtQuick.Controls.Material 2.3

// A page holding a table in a primary-coloured frame across its middle.
MaterialPane {
    id: pane

    default property alias content: frame.data

    Rectangle {
        id: frame

        width: parent.width
        height: Math.round(parent.height * 0.8)
        anchors.centerIn: parent
        color: "transparent"
        border.width: 1
        border.color: Material.primary
    }
}
