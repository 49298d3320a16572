import QtQuick 2.11
import QtQuick.Controls.Material 2.3

// The device's raw state as key and value rows.
RowList {
    id: stateTable

    objectName: "stateTable"
    spacing: 0
    model: runner.stateTable
    Accessible.name: qsTranslate("main", "Status")

    delegate: TableRow {
        width: stateTable.width
        focusShown: ListView.isCurrentItem && stateTable.activeFocus
        leftText: tkey
        rightText: tshown
        leftFont.pointSize: 14
        rightFont.pointSize: 14
        leftBackground: Material.background
    }
}
