import QtQuick 2.11
import QtTest 1.2
import "qrc:/"

// What the operator sees, by the colours on screen: run on a virtual X
// display, where the software renderer's pictures can be read back.
TestCase {
    id: test

    // The colour on screen at (x, y) of `item`; `root` sits at its window's
    // origin, as the picture is cut from the window at the grabbed item's place.
    function pixel(item, x, y, root) {
        var p = item.mapToItem(root, x, y);
        return grabImage(root).pixel(Math.round(p.x), Math.round(p.y));
    }

    name: "Looks"
    when: windowShown
    visible: true
    width: 400
    height: 300

    Rectangle {
        y: 40
        width: 200
        height: 200
        color: "#00ff00" // a loud colour under where the list opens
    }

    function test_openListHidesWhatIsBeneath() {
        var combo = createTemporaryObject(Qt.createComponent("qrc:/MaterialComboBox.qml"), test,
                                          { "width": 200, "model": ["one", "two", "three"] });
        combo.popup.open();
        tryCompare(combo.popup, "opened", true);
        var sheet = combo.popup.background;
        waitForRendering(sheet);
        // Right of the last item's text, where only the sheet can be.
        var c = pixel(sheet, sheet.width - 10, sheet.height - 10, test);
        verify(c.g < 0.9 || c.r > 0.5, "the list is see-through: " + c);
    }

    function test_chosenFileShows() {
        for (var i = 0; i < 8; ++i)
            testHelper.writeFile("looks/file-" + i + ".txt", "x");
        var dialog = createTemporaryObject(Qt.createComponent("qrc:/OpenFileDialog.qml"), test,
                                           { "width": 300, "height": 280 });
        dialog.folder = testData.folder + "/looks";
        dialog.open();
        var list = findChild(dialog.contentItem, "fileList");
        tryVerify(function() { return list.count === 8; });
        waitForRendering(list);
        var row = list.itemAtIndex(2);
        var other = list.itemAtIndex(0);
        mouseClick(row, row.width - 20, row.height / 2);
        // Once the highlight has moved there, the row looks unlike the others.
        tryVerify(function() {
            return !Qt.colorEqual(pixel(row, row.width - 5, row.height / 2, test),
                                  pixel(other, other.width - 5, other.height / 2, test));
        }, 2000, "the chosen row looks like the others");
    }

    function test_notificationsShowAboveDialogs() {
        var window = Qt.createComponent("qrc:/main.qml").createObject(null);
        waitForRendering(window.contentItem);
        var toast = findChild(window, "toast");
        function shown() {
            var t = toast.itemAtIndex(0);
            return t && t.opacity > 0.89 ? t : null;
        }
        // Inside the notification near its left edge, and beside it.
        function inside() { return pixel(shown(), 3, shown().height / 2, window.contentItem); }
        function beside() { return pixel(shown(), -8, shown().height / 2, window.contentItem); }
        runner.alert("plain");
        tryVerify(shown);
        var alone = inside();
        var page = beside();
        tryCompare(toast, "count", 0, 5000);
        findChild(window, "aboutDialog").open();
        runner.alert("plain");
        tryVerify(shown);
        var covered = inside();
        var dimmed = beside();
        window.destroy();
        // Over the dimmed page, the notification lets a tenth of it through;
        // under the dimming, it would be darkened with the page.
        var over = 0.9 * 0x22 / 255 + 0.1 * dimmed.r;
        var under = alone.r * dimmed.r / page.r;
        verify(Math.abs(covered.r - over) < 0.02 && Math.abs(covered.r - under) > 0.02,
               "seen " + covered.r + ", over the dimming " + over + ", under it " + under);
    }
}
