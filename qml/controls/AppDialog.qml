import QtQuick 2.11
import QtQuick.Controls 2.4
import "Reveal.js" as Reveal

// The window's dialogs: modal, on a plain framed sheet, centred in the window.
// One taller than the window scrolls its content.
Dialog {
    id: dialog

    // The share of the window's width the dialog takes, within its limits.
    property real widthShare: 1 / 2
    property int minimumWidth: 300
    default property alias content: sheet.data

    // Outside a window (a page tried on its own) it keeps its own size.
    // While the window goes, its frame may be gone before the dialog is.
    readonly property var frame: ApplicationWindow.window || { "width": minimumWidth + 20, "height": implicitHeight + 20 }
    readonly property int frameWidth: frame ? frame.width : minimumWidth + 20
    // Above the notifications' strip, if they take one.
    readonly property int room: frame ? frame.height - (frame.reservedBottom || 0) : implicitHeight + 20

    parent: Overlay.overlay
    width: Math.round(Math.min(frameWidth - 20, Math.max(frameWidth * widthShare, minimumWidth)))
    height: Math.min(implicitHeight, room - 20)
    x: Math.round((frameWidth - width) / 2)
    y: Math.round((room - height) / 2)
    modal: true
    focus: true
    // Closed, it has handed the keyboard back where it was: framed there if
    // the operator is on the keyboard.
    onClosed: inputMode.frameFocus(ApplicationWindow.window)
    // Opened, its first control has the keyboard unless the dialog chose
    // one: a screen reader says nothing of a dialog focused as a whole.
    onOpened: Qt.callLater(focusFirst)

    function holds(item) {
        for (var i = item; i; i = i.parent) {
            if (i === sheet || i === dialog.footer)
                return true;
        }
        return false;
    }

    function focusFirst() {
        var window = ApplicationWindow.window;
        if (!opened || !window || holds(window.activeFocusItem))
            return;
        var candidates = [sheet.nextItemInFocusChain(true), dialog.footer.nextItemInFocusChain(true)];
        for (var i = 0; i < candidates.length; ++i) {
            if (candidates[i] && holds(candidates[i])) {
                candidates[i].forceActiveFocus(Qt.TabFocusReason);
                return;
            }
        }
    }

    // The control the keyboard reaches comes into view: Enter never acts on
    // a button scrolled out of sight.
    function reveal(item) {
        if (item && opened)
            Reveal.into(scroller, sheet, item);
    }

    Connections {
        target: dialog.ApplicationWindow.window
        onActiveFocusItemChanged: {
            var window = dialog.ApplicationWindow.window;
            if (window)
                dialog.reveal(window.activeFocusItem);
        }
    }

    Flickable {
        id: scroller

        objectName: "dialogScroller"
        anchors.fill: parent
        implicitHeight: sheet.height
        contentWidth: width
        contentHeight: sheet.height
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: MaterialScrollBar {
            id: bar
        }

        // What the dialog holds, beside the scroll bar when it scrolls; its
        // items take the sheet's width.
        Column {
            id: sheet

            width: scroller.width - (scroller.contentHeight > scroller.height ? bar.width + 4 : 0)
        }
    }

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
