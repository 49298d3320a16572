import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3
import Qt.labs.folderlistmodel 2.1
import Qt.labs.platform 1.0 as Platform

// Browses local folders and picks one file. From the keyboard: the arrows
// choose, Enter opens a folder or picks a file, Backspace goes up a folder,
// Escape closes.
Dialog {
    id: fDialog

    property alias folder: fmodel.folder
    property alias nameFilters: fmodel.nameFilters
    property alias showDirs: fmodel.showDirs
    property alias showFiles: fmodel.showFiles

    signal selected(string file)

    function clickProcess(isdir, url) {
        if (isdir) {
            fmodel.folder = url;
            return;
        }
        console.log("Selected " + url);
        selected(url);
        close();
    }

    function openCurrent() {
        var i = fileList.currentIndex;
        if (i >= 0)
            clickProcess(fmodel.get(i, "fileIsDir"), fmodel.get(i, "fileURL"));
    }

    function cdUp() {
        console.log("cdup from " + fmodel.folder + " to " + fmodel.parentFolder);
        if (!runner.isUrlReadable(fmodel.parentFolder)) {
            console.log("cannot cdup - permission denied");
            return;
        }
        fmodel.folder = fmodel.parentFolder;
    }

    modal: true
    focus: true
    onOpened: fileList.forceActiveFocus()
    background: MaterialPopupBackground {
    }

    Component.onCompleted: {
        fmodel.folder = Platform.StandardPaths.writableLocation(Platform.StandardPaths.HomeLocation);
        console.log("FileSelector folder: " + fmodel.folder);
    }

    FolderListModel {
        id: fmodel
    }

    header: Rectangle {
        implicitHeight: headerRow.implicitHeight
        color: Material.primary
        border.width: 1
        border.color: Material.primary

        Row {
            id: headerRow

            width: parent.width

            MaterialToolButton {
                id: upTool

                objectName: "upTool"
                bgColor: "transparent"
                text: MaterialFont.icon.arrow_drop_up
                tooltip: qsTr("Up")
                enabled: fmodel.parentFolder.toString() !== ""
                         && fmodel.parentFolder.toString() !== fmodel.folder.toString()
                onClicked: fDialog.cdUp()
            }
            Item {
                width: headerRow.width - upTool.width - closeTool.width
                height: 1
            }
            MaterialToolButton {
                id: closeTool

                bgColor: "transparent"
                text: MaterialFont.icon.close
                tooltip: qsTr("Close")
                onClicked: fDialog.reject()
            }
        }
    }

    EmptyListNote {
        list: fileList
        text: qsTr("Nothing to choose in this folder")
    }

    ListView {
        id: fileList

        objectName: "fileList"
        anchors.fill: parent
        anchors.rightMargin: scrollBar.width
        clip: true
        spacing: 2
        model: fmodel
        ScrollBar.vertical: scrollBar
        focus: true
        activeFocusOnTab: true
        keyNavigationWraps: true
        highlightMoveDuration: 0
        Accessible.role: Accessible.List
        Accessible.name: fmodel.folder.toString()
        Keys.onReturnPressed: fDialog.openCurrent()
        Keys.onEnterPressed: fDialog.openCurrent()
        Keys.onPressed: {
            if (event.key === Qt.Key_Backspace) {
                fDialog.cdUp();
                event.accepted = true;
            }
        }
        highlight: Rectangle {
            radius: 5
            color: Qt.lighter(Material.primary)
        }

        delegate: Rectangle {
            id: row

            width: fileList.width
            height: entry.height + 2
            // The chosen row lets the highlight under it show.
            color: ListView.isCurrentItem ? "transparent" : "#eeeeee"
            Accessible.role: Accessible.ListItem
            Accessible.name: fileName
            Accessible.description: fileIsDir ? qsTr("Folder") : qsTr("File")

            FocusFrame {
                anchors.margins: 0
                shown: row.ListView.isCurrentItem && fileList.activeFocus
            }

            Row {
                id: entry

                width: parent.width

                MaterialToolButton {
                    id: icon

                    focusPolicy: Qt.NoFocus
                    Accessible.ignored: true
                    bgColor: "transparent"
                    text: fileIsDir ? MaterialFont.icon.folder : MaterialFont.icon.insert_drive_file
                    normalColor: fileIsDir ? Material.accent : "black"
                    enabled: fileIsDir
                    onDoubleClicked: fDialog.clickProcess(fileIsDir, fileURL)
                }
                Label {
                    width: parent.width - icon.width
                    height: Math.max(32, implicitHeight)
                    text: fileName
                    textFormat: Text.PlainText
                    wrapMode: Text.WrapAnywhere
                    verticalAlignment: Text.AlignVCenter

                    MouseArea {
                        anchors.fill: parent
                        acceptedButtons: Qt.LeftButton
                        onClicked: fileList.currentIndex = index
                        onDoubleClicked: fDialog.clickProcess(fileIsDir, fileURL)
                    }
                }
            }
        }
    }

    footer: Row {
        layoutDirection: Qt.RightToLeft
        padding: 8

        MaterialButton {
            objectName: "openButton"
            text: qsTr("Open")
            micon: MaterialFont.icon.folder_open
            enabled: fileList.currentIndex >= 0
            onClicked: fDialog.openCurrent()
        }
    }

    MaterialScrollBar {
        id: scrollBar

        objectName: "fileScrollBar"
        anchors.left: fileList.right
        anchors.top: fileList.top
        anchors.bottom: fileList.bottom
        orientation: Qt.Vertical
        policy: ScrollBar.AlwaysOn
    }
}
