import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3
import QtQuick.Layouts 1.3
import IOTRunner 1.0

// Page 0: a form for a new connection, or the saved connections.
MaterialPane {
    id: page

    property alias host: hostEdit.text
    property alias port: portEdit.value
    readonly property bool connecting: runner.connection.state === ConnectionState.Connecting
                                       || runner.connection.state === ConnectionState.Reconnecting

    // The saved connections are shown rather than the form: the window's
    // Back returns to the form.
    readonly property bool listShown: stack.currentIndex === 1
    // The saved connections and the search are made after the window's
    // first frame.
    readonly property bool built: listPart.status === Loader.Ready && findPart.status === Loader.Ready

    function showForm() {
        stack.currentIndex = 0;
        hostEdit.forceActiveFocus();
    }

    signal start()
    // A device a search found is to be kept under a name.
    signal saveFound(string name, string host, int port)

    // The form's address when the form shows, else the saved connections.
    function focusTarget() {
        return stack.currentIndex === 0 ? hostEdit : listPart.get();
    }

    function startIfReady() {
        if (connectButton.enabled)
            start();
    }

    // The port as the field shows it, typed but not yet taken included: an
    // emptied field is 0, which the runner refuses.
    function enteredPort() {
        return parseInt(portEdit.contentItem.text, 10) || 0;
    }

    StackLayout {
        id: stack

        anchors.fill: parent
        currentIndex: 0

        // Scrolled where the window is too short for it (the notifications
        // take a strip of it too).
        ScrollingPane {
            // The form, and apart from it the search, which fills it in;
            // in the middle while there is room.
            Column {
                anchors.horizontalCenter: parent.horizontalCenter
                y: Math.max(0, Math.round((parent.height - implicitHeight) / 2))
                spacing: 10

                Rectangle {
                    width: grid.width + 12
                    height: grid.height + 12
                    radius: 8
                    color: "transparent"
                    border.width: 1
                    border.color: Material.primary

                    GridLayout {
                        id: grid

                        anchors.centerIn: parent
                        columns: 2

                        Label {
                            text: qsTr("New connection")
                            font.pointSize: Theme.bodyText
                            Layout.columnSpan: 2
                            Layout.alignment: Qt.AlignHCenter
                        }
                        Label {
                            text: qsTr("Device IP:")
                            font.pointSize: Theme.bodyText
                            Layout.alignment: Qt.AlignRight
                        }
                        MaterialInput {
                            id: hostEdit

                            objectName: "hostEdit"
                            label: qsTr("Device IP:")
                            onAccepted: page.startIfReady()
                            font.pointSize: Theme.bodyText
                            Layout.fillWidth: true
                        }
                        Label {
                            text: qsTr("Port:")
                            font.pointSize: Theme.bodyText
                            Layout.alignment: Qt.AlignRight
                        }
                        MaterialSpin {
                            id: portEdit

                            objectName: "portEdit"
                            label: qsTr("Port:")
                            Keys.onReturnPressed: page.startIfReady()
                            Keys.onEnterPressed: page.startIfReady()
                            from: 1
                            to: 65535
                            font.pointSize: Theme.bodyText
                            Layout.fillWidth: true
                        }
                        // An attempt under way turns beside the button that
                        // started it, covering nothing of the form.
                        RowLayout {
                            Layout.columnSpan: 2
                            Layout.alignment: Qt.AlignRight

                            BusyIndicator {
                                objectName: "connectingIndicator"
                                running: page.connecting
                                visible: running
                                Accessible.ignored: true
                                Layout.preferredWidth: connectButton.height
                                Layout.preferredHeight: connectButton.height
                            }
                            MaterialButton {
                                id: connectButton

                                objectName: "connectButton"
                                text: qsTr("Connect")
                                micon: MaterialFont.icon.send
                                font.pointSize: Theme.bodyText
                                enabled: hostEdit.text.trim() !== ""
                                onClicked: page.start()
                            }
                        }
                    }
                }
                MaterialButton {
                    objectName: "findButton"
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: qsTr("Find devices")
                    micon: MaterialFont.icon.search
                    font.pointSize: Theme.bodyText
                    onClicked: findPart.get().open()
                }
            }
        }

        Deferred {
            id: listPart

            source: "ConnectionsList.qml"
        }
    }

    MaterialToolButton {
        objectName: "listButton"
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 5
        visible: stack.currentIndex === 0 && runner.connListModel().count > 0
        text: MaterialFont.icon.list
        tooltip: qsTr("Connections List")
        onClicked: {
            stack.currentIndex = 1;
            listPart.get().forceActiveFocus();
        }
    }

    Deferred {
        id: findPart

        name: "findDialog"
        source: "FindDevicesDialog.qml"
        onLoaded: {
            item.chosen.connect(function(host, port) {
                stack.currentIndex = 0;
                page.host = host;
                page.port = port;
                page.start();
            });
            item.saveAsked.connect(page.saveFound);
        }
    }
}
