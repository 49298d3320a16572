import QtQuick 2.11
import QtQuick.Controls.Material 2.3

// The background of a row in a menu, an open list or a list of results: the
// style's highlight while the row is chosen, hovered or pressed, without the
// style's ripple, whose circle the software renderer (as on a virtual
// machine) draws unclipped across the whole menu.
Rectangle {
    // The menu item or list row it is the background of.
    readonly property Item row: parent

    implicitWidth: 200
    implicitHeight: Material.menuItemHeight
    color: row && (row.highlighted || row.down || row.hovered) ? Material.listHighlightColor : "transparent"
}
