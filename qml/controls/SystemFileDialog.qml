import QtQuick 2.11
import Qt.labs.platform 1.0 as Platform

// The system's file dialog for a file the operator picks or names, made when
// first opened: made with every page, the dialogs held up the window's start.
// It reads as the toolkit's dialog does: a title, the folder it opens in,
// filters, and the file chosen once accepted.
QtObject {
    id: chooser

    property string title
    // Naming a file to write, rather than picking one to read.
    property bool saving: false
    property url folder
    property var nameFilters: []
    property string defaultSuffix
    // Before opening, the file offered; after, the one chosen.
    property url currentFile
    readonly property url file: dialog ? dialog.file : ""
    property var dialog: null

    signal accepted()

    function open() {
        if (!dialog) {
            dialog = made.createObject(chooser);
            dialog.accepted.connect(accepted);
        }
        dialog.open();
    }

    function accept() {
        if (dialog)
            dialog.accept();
    }

    onCurrentFileChanged: if (dialog) dialog.currentFile = currentFile

    property Component made: Component {
        Platform.FileDialog {
            title: chooser.title
            fileMode: chooser.saving ? Platform.FileDialog.SaveFile : Platform.FileDialog.OpenFile
            folder: chooser.folder
            nameFilters: chooser.nameFilters
            defaultSuffix: chooser.defaultSuffix
            onCurrentFileChanged: chooser.currentFile = currentFile
        }
    }
}
