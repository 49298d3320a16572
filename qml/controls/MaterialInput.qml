import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3

// A framed single-line text field.
Rectangle {
    id: wrapper

    property alias text: field.text
    property alias echoMode: field.echoMode
    property alias font: field.font

    implicitWidth: 200
    implicitHeight: field.height + 2
    color: "transparent"
    border.width: 1
    border.color: field.enabled ? Material.primary : Qt.darker(Material.foreground)

    TextField {
        id: field

        anchors.left: parent.left
        anchors.leftMargin: 5
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        selectByMouse: true
        background: Item {
        }
    }
}
