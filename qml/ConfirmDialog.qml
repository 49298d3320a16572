import QtQuick 2.11
import QtQuick.Controls 2.4

// A question for the operator before a step that cannot be taken back;
// `accepted` follows only "Yes".
Dialog {
    id: dialog

    property alias text: question.text

    parent: Overlay.overlay
    x: Math.round((parent.width - width) / 2)
    y: Math.round(Math.min(parent.height / 6, (parent.height - height) / 2))
    width: Math.min(parent.width, Math.max(Math.round(parent.width / 2), 300))
    modal: true
    focus: true
    standardButtons: Dialog.Yes | Dialog.No

    background: MaterialPopupBackground {
    }

    Label {
        id: question

        width: dialog.availableWidth
        wrapMode: Text.Wrap
        textFormat: Text.PlainText
    }
}
