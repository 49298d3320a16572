import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3

// A status glyph with a tooltip; it can blink to draw the eye.
Label {
    id: control

    property string tooltip: ""
    property alias bg: circle.color
    property bool blinking: false

    function start() {
        opacity = 1;
        blinking = true;
    }

    function stop() {
        blinking = false;
        opacity = 1;
    }

    font.family: MaterialFont.fontName
    font.pointSize: Theme.buttonGlyph
    color: Material.primary
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
    ToolTip.visible: hoverArea.containsMouse && inputMode.pointing && tooltip !== ""
    ToolTip.text: tooltip
    // The glyph means nothing read aloud; the tooltip says the state.
    Accessible.role: Accessible.StaticText
    Accessible.name: tooltip

    background: Rectangle {
        id: circle

        radius: width / 2
        color: "transparent"
    }

    MouseArea {
        id: hoverArea

        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.NoButton
    }

    // Runs only while it can be seen: an animation keeps the window redrawing.
    SequentialAnimation on opacity {
        running: control.blinking && control.visible
        loops: Animation.Infinite

        NumberAnimation {
            to: 0
            duration: 500
            easing.type: Easing.InCubic
        }
        NumberAnimation {
            to: 1
            duration: 500
            easing.type: Easing.OutCubic
        }
    }
}
