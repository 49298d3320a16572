import QtQuick 2.11
import QtQuick.Controls 2.4

// The downloaded history, framed, with its refresh and export buttons and the
// accuracy of its reconstructed times. Its texts belong to the main window's
// catalogue context, where they have always been.
TablePane {
    id: pane

    // Sampling interval of the history in seconds.
    property int interval: 300

    title: qsTranslate("main", "History")

    // "* Time column value accuracy: ±3 min" for a history sampled every 300 s.
    function accuracyText(seconds) {
        var accuracy = seconds > 120 ? Math.round(seconds / 60 / 2) + " " + qsTranslate("main", "min")
                                     : Math.round(seconds / 2) + " " + qsTranslate("main", "sec");
        return "* " + qsTranslate("main", "Time column value accuracy") + ": ±" + accuracy;
    }

    function saveCsv() {
        csvDialog.open();
        // Once open: the dialog drops a name given before for a file
        // that does not exist yet.
        csvDialog.currentFile = csvDialog.folder + "/" + runner.historyFileName();
    }

    HistoryView {
        id: historyView

        // No row under the buttons.
        anchors.bottomMargin: buttons.height + 10
    }
    EmptyListNote {
        objectName: "historyEmpty"
        list: historyView
        text: runner.historyModel().downloadedAt.getTime()
              ? qsTranslate("main", "The device sent no history")
              : qsTranslate("main", "The history has not been downloaded yet")
    }

    Shortcut {
        id: saveShortcut

        sequence: StandardKey.Save
        enabled: pane.visible && historyView.count > 0
        onActivated: pane.saveCsv()
    }
    Shortcut {
        id: refreshShortcut

        sequence: StandardKey.Refresh
        enabled: pane.visible
        onActivated: runner.requestHistory()
    }

    Row {
        id: buttons

        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 5
        spacing: 5

        MaterialToolButton {
            objectName: "csvButton"
            text: MaterialFont.icon.save
            tooltip: qsTranslate("main", "Save history as CSV") + " (" + saveShortcut.nativeText + ")"
            enabled: historyView.count > 0
            onClicked: pane.saveCsv()
        }
        MaterialToolButton {
            objectName: "historyRefreshButton"
            text: MaterialFont.icon.update
            tooltip: qsTranslate("main", "Update the data") + " (" + refreshShortcut.nativeText + ")"
            onClicked: runner.requestHistory()
        }
    }

    Column {
        parent: pane.contentItem
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom

        Label {
            objectName: "downloadedLine"
            width: parent.width
            elide: Text.ElideRight
            visible: historyView.count > 0
            text: qsTranslate("main", "Downloaded at %1").arg(runner.historyModel().downloadedText)
        }
        Label {
            objectName: "accuracyLine"
            width: parent.width
            elide: Text.ElideRight
            text: pane.accuracyText(pane.interval)
        }
    }

    SystemFileDialog {
        id: csvDialog

        objectName: "csvDialog"
        title: qsTranslate("main", "Save history as CSV")
        saving: true
        folder: runner.documentsFolder()
        nameFilters: ["CSV (*.csv)"]
        defaultSuffix: "csv"
        onAccepted: runner.saveHistory(file)
    }
}
