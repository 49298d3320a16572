import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Layouts 1.3

// Keeps the current address under a name of the operator's choosing.
AppDialog {
    id: dialog

    title: qsTranslate("main", "Save Connection")
    standardButtons: Dialog.Ok | Dialog.Cancel
    onAccepted: runner.saveConnection(connNameInput.text)
    onOpened: connNameInput.forceActiveFocus()

    RowLayout {
        width: parent.width

        Label {
            text: qsTranslate("main", "Name") + ":"
        }
        MaterialInput {
            id: connNameInput

            label: qsTranslate("main", "Name")
            focus: true
            onAccepted: dialog.accept()

            Layout.fillWidth: true
        }
    }
}
