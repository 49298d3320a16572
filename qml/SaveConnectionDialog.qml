import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Layouts 1.3

// Keeps the current address under a name of the operator's choosing.
AppDialog {
    id: dialog

    // Another address than the current one (a device found by a search),
    // with a name to start from.
    property string host: ""
    property int port: 0
    property alias name: connNameInput.text
    // A row with no name cannot be told from its neighbours.
    readonly property bool named: name.trim() !== ""

    function openFor(name, host, port) {
        dialog.name = name;
        dialog.host = host;
        dialog.port = port;
        open();
    }

    title: qsTranslate("main", "Save Connection")
    standardButtons: Dialog.Ok | Dialog.Cancel
    onAccepted: host ? runner.saveConnectionTo(connNameInput.text, host, port)
                     : runner.saveConnection(connNameInput.text)
    onOpened: connNameInput.forceActiveFocus()
    onNamedChanged: standardButton(Dialog.Ok).enabled = named
    Component.onCompleted: standardButton(Dialog.Ok).enabled = named

    RowLayout {
        width: parent.width

        Label {
            text: qsTranslate("main", "Name") + ":"
        }
        MaterialInput {
            id: connNameInput

            label: qsTranslate("main", "Name")
            focus: true
            onAccepted: if (dialog.named) dialog.accept()

            Layout.fillWidth: true
        }
    }
}
