import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3

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

    delegate: TableRow {
        width: historyTable.width
        leftText: htime
        rightText: hvalue
        border.color: Material.primary
    }
}
