import QtQuick 2.11
import QtQuick.Controls.Material 2.3

// The downloaded history as time and value rows.
RowList {
    id: historyTable

    objectName: "historyTable"
    spacing: 2
    model: runner.historyModel()
    Accessible.name: qsTranslate("main", "History")

    delegate: TableRow {
        width: historyTable.width
        focusShown: ListView.isCurrentItem && historyTable.activeFocus
        leftText: htime
        rightText: hvalue
        border.color: Material.primary
    }
}
