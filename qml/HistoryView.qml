import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3
import QtQuick.Layouts 1.3

// The downloaded history as time and value rows.
ListView {
    id: historyTable

    objectName: "historyTable"
    anchors.fill: parent
    anchors.margins: 5
    clip: true
    spacing: 2
    model: runner.historyModel()
    ScrollBar.vertical: MaterialScrollBar {
    }

    delegate: Item {
        width: historyTable.width
        height: rowFrame.height

        Rectangle {
            id: rowFrame

            width: historyTable.width
            height: layout.height
            border.color: Material.primary

            RowLayout {
                id: layout

                anchors.left: parent.left
                anchors.right: parent.right
                anchors.margins: 5
                anchors.verticalCenter: parent.verticalCenter

                Label {
                    text: htime
                    textFormat: Text.PlainText
                    padding: 6
                    Layout.preferredWidth: Math.round(layout.width / 2)
                }
                Label {
                    text: hvalue
                    textFormat: Text.PlainText
                    padding: 6
                    wrapMode: Text.Wrap
                    Layout.preferredWidth: Math.round(layout.width / 2)
                }
            }
        }
    }
}
