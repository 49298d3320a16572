import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3
import QtQuick.Layouts 1.3

// The device's raw state as key and value rows.
ListView {
    id: stateTable

    anchors.fill: parent
    anchors.margins: 5
    clip: true
    spacing: 0
    model: runner.stateTableModel()
    ScrollBar.vertical: MaterialScrollBar {
    }

    delegate: Item {
        width: stateTable.width
        height: rowFrame.height

        Rectangle {
            id: rowFrame

            width: stateTable.width
            height: layout.height

            RowLayout {
                id: layout

                anchors.left: parent.left
                anchors.right: parent.right
                anchors.margins: 5
                anchors.verticalCenter: parent.verticalCenter

                Label {
                    text: tkey
                    textFormat: Text.PlainText
                    font.pointSize: 14
                    padding: 6
                    Layout.preferredWidth: Math.round(layout.width / 2)
                    background: Rectangle {
                        color: Material.background
                    }
                }
                Label {
                    text: tvalue
                    textFormat: Text.PlainText
                    font.pointSize: 14
                    padding: 6
                    wrapMode: Text.Wrap
                    Layout.preferredWidth: Math.round(layout.width / 2)
                }
            }
        }
    }
}
