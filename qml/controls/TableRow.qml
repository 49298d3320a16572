import QtQuick 2.11
import QtQuick.Controls 2.4

// One row of a two-column table of device texts. Each half wraps within its
// own width and the row is as tall as the taller half, so a long value never
// runs over the next row.
Rectangle {
    id: row

    property alias leftText: leftLabel.text
    property alias rightText: rightLabel.text
    property alias leftFont: leftLabel.font
    property alias rightFont: rightLabel.font
    property alias leftBackground: leftBack.color

    // Whether the row is the chosen one of a table that has keyboard focus.
    property alias focusShown: frame.shown

    height: Math.max(leftLabel.implicitHeight, rightLabel.implicitHeight)
    Accessible.role: Accessible.ListItem
    Accessible.name: leftText + ": " + rightText

    FocusFrame {
        id: frame

        anchors.margins: 0
        shown: false
    }

    Label {
        id: leftLabel

        x: 5
        width: Math.round((row.width - 10) / 2)
        height: row.height
        padding: 6
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        Accessible.ignored: true

        background: Rectangle {
            id: leftBack

            color: "transparent"
        }
    }
    Label {
        id: rightLabel

        x: leftLabel.x + leftLabel.width
        width: row.width - 10 - leftLabel.width
        padding: 6
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        Accessible.ignored: true
    }
}
