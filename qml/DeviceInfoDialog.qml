import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Layouts 1.3

// The identified device's information: a name and a value on each row, plain
// text (the device's texts made safe by the runner). Each row is one stop for
// the keyboard, read whole.
AppDialog {
    id: dialog

    property var info: []

    title: qsTranslate("main", "Device Info")
    widthShare: 2 / 3
    minimumWidth: 400
    standardButtons: Dialog.Close

    GridLayout {
        width: parent.width
        columns: 1

        Repeater {
            id: rows

            model: dialog.info

            Label {
                objectName: "infoRow"
                text: modelData.name + " " + modelData.value
                wrapMode: Text.Wrap
                textFormat: Text.PlainText
                font.pointSize: Theme.bodyText
                activeFocusOnTab: true
                Accessible.role: Accessible.StaticText
                Accessible.name: text
                Accessible.focusable: true
                Layout.fillWidth: true

                FocusFrame {
                    shown: parent.activeFocus
                }
            }
        }
    }
}
