import QtQuick 2.11
import QtQuick.Controls.Material 2.3

// Background of the window's menus and dialogs: a plain framed sheet, visible
// with any renderer (the style's shadowed sheet vanishes without a GPU).
Rectangle {
    implicitWidth: 200
    implicitHeight: 40
    radius: 2
    color: Material.dialogColor
    border.width: 1
    border.color: Material.primary
}
