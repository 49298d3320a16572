import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3

// An icon button; `text` holds the glyph. Round in the tool bar, square
// with the other buttons elsewhere.
ToolButton {
    id: mtool

    property bool round: false
    // Clicked while the pointer or the focus is still on it: its tooltip
    // would stay over whatever the click opened.
    property bool used: false
    readonly property bool pointed: hovered && inputMode.pointing

    property color bgColor: Material.primary
    property color normalColor: "white"
    property color pressedColor: Material.accent
    // What the glyph means, for the tooltip and for a screen reader.
    property string tooltip: ""

    text: "..."
    font.family: MaterialFont.fontName
    font.pointSize: Theme.buttonGlyph
    hoverEnabled: true
    ToolTip.visible: (pointed || visualFocus) && !used && tooltip !== "" && visible
    ToolTip.text: tooltip
    ToolTip.delay: pointed ? 500 : 0
    focusPolicy: Qt.TabFocus
    onClicked: used = true
    onHoveredChanged: if (!hovered && !visualFocus) used = false
    onVisualFocusChanged: if (!visualFocus && !hovered) used = false
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    Accessible.name: tooltip

    FocusFrame {
        radius: mtool.round ? width / 2 : 2
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
        radius: mtool.round ? width / 2 : 2
        color: mtool.bgColor
        opacity: mtool.enabled ? 1 : 0.3
    }
}
