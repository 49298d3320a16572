import QtQuick 2.11
import QtQuick.Controls 2.4

// A framed page whose content scrolls when the window is too short for it,
// and brings the control the keyboard reaches into view.
MaterialPane {
    id: pane

    default property alias content: body.data

    // Whether `item` lies inside this page's content.
    function holds(item) {
        for (var i = item; i; i = i.parent) {
            if (i === body)
                return true;
        }
        return false;
    }

    function reveal(item) {
        if (!item || !holds(item))
            return;
        var top = item.mapToItem(body, 0, 0).y;
        if (top < scroller.contentY)
            scroller.contentY = Math.max(0, top - 5);
        else if (top + item.height > scroller.contentY + scroller.height)
            scroller.contentY = Math.min(scroller.contentHeight - scroller.height,
                                         top + item.height - scroller.height + 5);
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
            implicitHeight: children.length > 0 ? children[0].implicitHeight : 0
        }
    }
}
