import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3

// The saved connections: click to connect, swipe to delete; from the keyboard,
// the arrows choose, Enter connects and Delete deletes.
Rectangle {
    id: connListContainer

    property alias count: connList.count

    color: "transparent"
    // Given the keyboard, the list takes it.
    onActiveFocusChanged: if (activeFocus) connList.forceActiveFocus()

    // A saved connection goes only once the operator says so: it may hold
    // alarm limits too.
    function askDelete(row, name, host, port) {
        deleteDialog.host = host;
        deleteDialog.port = port;
        deleteDialog.text = qsTr("Delete the saved connection %1 (%2:%3)?").arg(name).arg(host).arg(port);
        deleteDialog.open();
    }

    ConfirmDialog {
        id: deleteDialog

        property string host
        property int port

        objectName: "deleteConnectionDialog"
        title: qsTr("Saved Connections")
        acceptText: qsTr("Delete")
        destructive: true
        onAccepted: {
            var row = runner.connListModel().indexOf(host, port);
            if (row >= 0)
                runner.removeConnection(row);
        }
        onClosed: connList.forceActiveFocus()
    }

    Column {
        anchors.fill: parent

        Label {
            id: title

            width: parent.width
            text: qsTr("Saved Connections")
            font.pointSize: Theme.bodyText
            horizontalAlignment: Text.AlignHCenter
        }

        ListView {
            id: connList

            objectName: "connList"
            width: parent.width
            height: parent.height - title.height
            clip: true
            anchors.margins: 5
            spacing: 5
            model: runner.connListModel()
            activeFocusOnTab: true
            keyNavigationWraps: true
            highlightMoveDuration: 0
            Accessible.role: Accessible.List
            Accessible.name: title.text
            Keys.onReturnPressed: if (currentIndex >= 0) runner.connectFromList(currentIndex)
            Keys.onEnterPressed: if (currentIndex >= 0) runner.connectFromList(currentIndex)
            Keys.onDeletePressed: if (currentItem) currentItem.askDelete()

            delegate: SwipeDelegate {
                id: swipeDelegate

                property bool opened: swipe.position !== 0

                function askDelete() {
                    connListContainer.askDelete(index, cname, chost, cport);
                }

                width: connList.width
                text: cname + " (" + chost + ":" + cport + ")"
                font.pointSize: Theme.tableText
                focusPolicy: Qt.NoFocus
                Accessible.role: Accessible.ListItem
                onClicked: runner.connectFromList(index)

                FocusFrame {
                    shown: swipeDelegate.ListView.isCurrentItem && connList.activeFocus
                }

                contentItem: Text {
                    text: swipeDelegate.text
                    textFormat: Text.PlainText
                    font: swipeDelegate.font
                    color: swipeDelegate.opened ? "black" : "white"
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    elide: Text.ElideRight
                }

                background: Rectangle {
                    color: Material.primary
                    radius: swipeDelegate.opened ? 0 : 6
                    opacity: swipeDelegate.opened ? 0.5 : 1
                }

                swipe.right: Label {
                    id: deleteLabel

                    text: qsTr("Delete")
                    color: Material.foreground
                    verticalAlignment: Label.AlignVCenter
                    padding: 12
                    height: parent.height
                    anchors.right: parent.right

                    background: Rectangle {
                        color: deleteArea.pressed ? Qt.darker(Material.accent, 1.1) : Material.accent
                    }

                    MouseArea {
                        id: deleteArea

                        anchors.fill: parent
                        acceptedButtons: Qt.LeftButton
                        onClicked: {
                            swipeDelegate.swipe.close();
                            swipeDelegate.askDelete();
                        }
                    }
                }

                ListView.onRemove: SequentialAnimation {
                    PropertyAction {
                        target: swipeDelegate
                        property: "ListView.delayRemove"
                        value: true
                    }
                    NumberAnimation {
                        target: swipeDelegate
                        property: "height"
                        to: 0
                        easing.type: Easing.InOutQuad
                    }
                    PropertyAction {
                        target: swipeDelegate
                        property: "ListView.delayRemove"
                        value: false
                    }
                }
            }
        }
    }

    EmptyListNote {
        objectName: "connectionsEmpty"
        list: connList
        text: qsTr("No saved connections. Connect to a device, then choose Save Connection in the menu.")
    }
}
