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
        cells: [tkey, tshown]
        font.pointSize: Theme.tableText
        firstBackground: Material.background
    }
}
