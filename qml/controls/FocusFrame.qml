import QtQuick 2.11
import QtQuick.Controls.Material 2.3

// The frame around a control that has keyboard focus: solid, two pixels, in
// the accent colour, so it reads on the tool bar and on a page alike and with
// the software renderer. It follows `shown`, by default the keyboard's focus
// (a mouse click does not show it). Drawn inside the control: a frame
// outside it is cut by whatever clips the control at its edge (a list, a
// scrolling page, a dialog's button row) and by the next row drawn over it.
Rectangle {
    property bool shown: parent.visualFocus === true

    anchors.fill: parent
    anchors.margins: 0
    z: 10
    visible: shown
    color: "transparent"
    radius: 4
    border.width: 2
    border.color: Material.accent
}
