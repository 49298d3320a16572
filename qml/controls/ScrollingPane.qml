import QtQuick 2.11
import QtQuick.Controls 2.4
import "Reveal.js" as Reveal

// A framed page whose content scrolls when the window is too short for it,
// and brings the control the keyboard reaches into view.
MaterialPane {
    id: pane

    default property alias content: body.data

    function reveal(item) {
        if (item)
            Reveal.into(scroller, body, item);
    }

    Connections {
        target: pane.ApplicationWindow.window
        // The window may be going: a page torn down with it reveals nothing.
        onActiveFocusItemChanged: {
            var window = pane.ApplicationWindow.window;
            if (window)
                pane.reveal(window.activeFocusItem);
        }
    }

    Flickable {
        id: scroller

        objectName: "pageScroller"
        anchors.fill: parent
        contentWidth: width
        contentHeight: Math.max(height, body.implicitHeight)
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: MaterialScrollBar {
            id: bar
        }

        // Room for the scroll bar is kept whether it shows or not: content
        // that took it back when it hid would wrap anew, and might need it.
        Item {
            id: body

            width: scroller.width - bar.width - 4
            height: scroller.contentHeight

            // Read after the content has laid itself out, not as it does: a
            // layout with a wrapping row can change its height while it is
            // read, which a binding takes for a loop (seen with fonts that
            // fail to load). The width does not follow the height, so this
            // settles at once.
            function measure() {
                implicitHeight = children.length > 0 ? children[0].implicitHeight : 0;
            }

            Component.onCompleted: measure()
        }
        Connections {
            target: body.children.length > 0 ? body.children[0] : null
            onImplicitHeightChanged: Qt.callLater(body.measure)
        }
    }
}
