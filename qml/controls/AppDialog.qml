import QtQuick 2.11
import QtQuick.Controls 2.4

// The window's dialogs: modal, on a plain framed sheet, centred across the
// window and in its upper part when there is room.
Dialog {
    id: dialog

    // The share of the window's width the dialog takes, within its limits.
    property real widthShare: 1 / 2
    property int minimumWidth: 300

    // Placed in the window's content area, below the tool bar, and measured
    // by the whole window.
    readonly property var frame: ApplicationWindow.window

    parent: ApplicationWindow.contentItem
    width: Math.round(Math.min(frame.width, Math.max(frame.width * widthShare, minimumWidth)))
    x: Math.round((frame.width - width) / 2)
    y: Math.round(Math.min(frame.height / 6, (frame.height - height) / 2))
    modal: true
    focus: true

    background: MaterialPopupBackground {
    }

    // The style's buttons, framed while the keyboard is on them, and pressed
    // by Enter as by Space.
    footer: DialogButtonBox {
        visible: count > 0

        delegate: Button {
            id: button

            flat: true
            focusPolicy: Qt.TabFocus
            Keys.onReturnPressed: clicked()
            Keys.onEnterPressed: clicked()

            FocusFrame {
            }
        }
    }

    // The sheet's frame again, over the title and the buttons, which paint
    // backgrounds of their own across it.
    Rectangle {
        parent: dialog.background ? dialog.background.parent : null
        anchors.fill: parent
        z: 1
        color: "transparent"
        radius: dialog.background ? dialog.background.radius : 0
        border.width: dialog.background ? dialog.background.border.width : 0
        border.color: dialog.background ? dialog.background.border.color : "transparent"
    }
}
