import QtQuick 2.11
import QtQuick.Controls 2.4

// The window's dialogs: modal, on a plain framed sheet, centred across the
// window and in its upper part when there is room.
Dialog {
    id: dialog

    // The share of the window's width the dialog takes, within its limits.
    property real widthShare: 1 / 2
    property int minimumWidth: 300

    parent: Overlay.overlay
    width: Math.round(Math.min(parent.width, Math.max(parent.width * widthShare, minimumWidth)))
    x: Math.round((parent.width - width) / 2)
    y: Math.round(Math.min(parent.height / 6, (parent.height - height) / 2))
    modal: true
    focus: true

    background: MaterialPopupBackground {
    }
}
