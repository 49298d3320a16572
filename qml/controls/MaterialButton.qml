import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3

// A rectangular button with an icon glyph and a text.
Button {
    id: tool

    property color bgColor: Material.primary
    property color normalColor: "white"
    property color pressedColor: Material.accent
    property string micon: ""

    // A click leaves the focus where it was: Space then never presses a
    // button the operator cannot see is chosen.
    focusPolicy: Qt.TabFocus
    // The toolkit tells a screen reader every button is enabled.
    Accessible.description: enabled ? "" : qsTranslate("main", "unavailable")
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()

    FocusFrame {
    }

    background: Rectangle {
        implicitWidth: 100
        implicitHeight: 40
        radius: 2
        color: tool.bgColor
        border.width: 1
        border.color: tool.pressed ? tool.pressedColor : tool.bgColor
        opacity: tool.enabled ? 1 : 0.3
    }

    contentItem: Row {
        height: tool.availableHeight
        spacing: 6

        Text {
            height: parent.height
            text: tool.micon
            visible: text !== ""
            font.family: MaterialFont.fontName
            font.pointSize: Theme.buttonGlyph
            elide: Text.ElideMiddle
            color: tool.pressed ? tool.pressedColor : tool.normalColor
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
        Text {
            height: parent.height
            text: tool.text
            font: tool.font
            elide: Text.ElideRight
            color: tool.pressed ? tool.pressedColor : tool.normalColor
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
    }
}
