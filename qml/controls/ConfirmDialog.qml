import QtQuick 2.11
import QtQuick.Controls 2.4

// A question for the operator before a step that cannot be taken back;
// `accepted` follows only "Yes".
AppDialog {
    id: dialog

    property alias text: question.text

    standardButtons: Dialog.Yes | Dialog.No
    // The harmless answer is the one a stray Enter or Space gives.
    onOpened: standardButton(Dialog.No).forceActiveFocus(Qt.TabFocusReason)

    Label {
        id: question

        width: parent.width
        wrapMode: Text.Wrap
        textFormat: Text.PlainText
    }
}
