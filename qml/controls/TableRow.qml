import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3

// One row of a table of device texts, its cells side by side in equal shares.
// Each cell wraps within its own width and the row is as tall as the tallest,
// so a long value never runs over the next row. A header row names the
// columns in bold.
Rectangle {
    id: row

    property var cells: []
    property bool header: false
    // The first cell names the row: drawn on this colour.
    property color firstBackground: "transparent"
    property font font: Qt.application.font
    // Whether the row is the chosen one of a table that has keyboard focus.
    property alias focusShown: frame.shown

    height: cellRow.height
    color: header ? Material.color(Material.Grey, Material.Shade200) : "transparent"
    Accessible.role: header ? Accessible.ColumnHeader : Accessible.ListItem
    Accessible.name: cells.join(header ? ", " : ": ")

    FocusFrame {
        id: frame

        anchors.margins: 0
        shown: false
    }

    Row {
        id: cellRow

        x: 5
        width: row.width - 10

        Repeater {
            model: row.cells.length

            Label {
                width: Math.floor(cellRow.width / row.cells.length)
                padding: 6
                text: row.cells[index]
                font.pointSize: row.font.pointSize
                font.bold: row.header
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                Accessible.ignored: true

                background: Rectangle {
                    color: index === 0 ? row.firstBackground : "transparent"
                }
            }
        }
    }
}
