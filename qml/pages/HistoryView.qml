import QtQuick 2.11
import QtQuick.Controls.Material 2.3

// The downloaded history as time and value rows.
RowList {
    id: historyTable

    objectName: "historyTable"
    spacing: 2
    model: runner.historyModel()
    // The true number of rows: a screen reader counts only those drawn.
    Accessible.name: qsTranslate("main", "History: %1 rows").arg(count)

    // The newest rows are the last: a fresh download shows them.
    Connections {
        target: historyTable.model
        onModelReset: Qt.callLater(function() {
            historyTable.currentIndex = historyTable.count - 1;
            historyTable.positionViewAtEnd();
        })
    }

    delegate: TableRow {
        width: historyTable.width
        focusShown: ListView.isCurrentItem && historyTable.activeFocus
        leftText: htime
        rightText: hvalue
        border.color: Material.primary
        Accessible.name: hspoken
    }
}
