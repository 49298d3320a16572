import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3

// The device's raw state as key and value rows.
ListView {
    id: stateTable

    objectName: "stateTable"
    anchors.fill: parent
    anchors.margins: 5
    clip: true
    spacing: 0
    model: runner.stateTableModel()
    ScrollBar.vertical: MaterialScrollBar {
    }

    delegate: TableRow {
        width: stateTable.width
        leftText: tkey
        rightText: tshown
        leftFont.pointSize: 14
        rightFont.pointSize: 14
        leftBackground: Material.background
    }
}
