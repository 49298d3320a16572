import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3

// A pane framed in the primary colour; one with a title names itself in a
// heading at its top.
Page {
    id: pane

    // What a page just shown gives the keyboard's focus to: its heading
    // unless the page names a control of its own.
    function focusTarget() {
        return title !== "" ? heading : null;
    }

    // A part of a page is not framed again, nor set in.
    property bool framed: true

    padding: framed ? 12 : 0
    // The notifications' strip, while they take one, is no part of a page.
    bottomPadding: padding + (ApplicationWindow.window && ApplicationWindow.window.reservedBottom || 0)
    header: PageHeading {
        id: heading

        objectName: "pageHeading"
        text: title
        leftPadding: 12
        topPadding: 8
        // The heading is drawn above the page's controls but comes after
        // them in the tree: Tab goes on from it to the page's first control.
        Keys.onTabPressed: {
            var first = pane.contentItem.nextItemInFocusChain(true);
            if (first)
                first.forceActiveFocus(Qt.TabFocusReason);
        }
    }
    background: Rectangle {
        color: "transparent"
        border.width: pane.framed ? 1 : 0
        border.color: Material.primary
    }
}
