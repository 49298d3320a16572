import QtQuick 2.11
import QtQuick.Controls.Material 2.3

// The downloaded history: a row per sample, a column for its time and one
// for each sensor, named above.
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

    // The columns' names stay above the rows.
    headerPositioning: ListView.OverlayHeader
    header: TableRow {
        z: 2
        width: historyTable.width
        header: true
        cells: historyTable.model.columns
        visible: historyTable.count > 0
    }

    delegate: TableRow {
        width: historyTable.width
        focusShown: ListView.isCurrentItem && historyTable.activeFocus
        cells: [htime].concat(hvalues)
        Accessible.name: hspoken
    }
}
