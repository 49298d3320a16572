import QtQuick 2.11
import QtQuick.Controls 2.4

// Page 1: one swipeable sub-page per sensor of the device.
MaterialPane {
    id: page

    property alias count: view.count
    // The link is lost: the readings shown are the last ones.
    property bool lost: false
    // The sensors share one poll: the one in view says for all.
    readonly property bool stale: view.currentItem ? view.currentItem.stale : false

    // The sensor in view, which reads out its name and reading.
    function focusTarget() {
        return view.currentItem;
    }

    function pageAt(index) {
        return view.itemAt(index);
    }

    function addPage(unit) {
        console.log("Adding page " + view.count + " unit " + unit);
        var component = Qt.createComponent("SensorItem.qml");
        var item = component.createObject(view, {
            "index": view.count,
            "unit": unit
        });
        item.step.connect(function(by) {
            var next = Math.max(0, Math.min(view.count - 1, view.currentIndex + by));
            view.currentIndex = next;
            view.itemAt(next).forceActiveFocus(Qt.TabFocusReason);
        });
        view.addItem(item);
        item.visible = true;
    }

    function removePage(idx) {
        if (idx < view.count) {
            var item = view.itemAt(idx);
            view.removeItem(item);
        }
    }

    function clearView() {
        while (view.count > 0)
            removePage(view.count - 1);
    }

    SwipeView {
        id: view

        objectName: "sensorView"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        // The page's dots have a row of their own, below the readings' age.
        anchors.bottom: indicator.visible ? indicator.top : parent.bottom
        clip: true
        opacity: page.lost ? 0.5 : 1
        currentIndex: indicator.currentIndex
    }

    PageIndicator {
        id: indicator

        objectName: "pageIndicator"
        interactive: true
        visible: view.count > 1
        Accessible.name: qsTr("Sensor %1 of %2").arg(currentIndex + 1).arg(count)
        count: view.count
        currentIndex: view.currentIndex
        anchors.bottom: parent.bottom
        anchors.horizontalCenter: parent.horizontalCenter
    }
}
