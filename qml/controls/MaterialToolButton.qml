import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3

// A round icon button; `text` holds the glyph.
ToolButton {
    id: mtool

    property color bgColor: Material.primary
    property color normalColor: "white"
    property color pressedColor: Material.accent
    // What the glyph means, for the tooltip and for a screen reader.
    property string tooltip: ""

    text: "..."
    font.family: MaterialFont.fontName
    font.pointSize: 22
    hoverEnabled: true
    ToolTip.visible: (hovered || visualFocus) && tooltip !== ""
    ToolTip.text: tooltip
    ToolTip.delay: hovered ? 500 : 0
    focusPolicy: Qt.TabFocus
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    Accessible.name: tooltip

    FocusFrame {
        radius: width / 2
    }

    contentItem: Text {
        text: mtool.text
        font: mtool.font
        elide: Text.ElideMiddle
        color: mtool.pressed ? mtool.pressedColor : mtool.normalColor
        opacity: mtool.enabled ? 1 : 0.3
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }

    background: Rectangle {
        implicitWidth: 40
        implicitHeight: 40
        radius: width / 2
        color: mtool.bgColor
        opacity: mtool.enabled ? 1 : 0.3
    }
}
