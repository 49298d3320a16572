import QtQuick 2.11
import QtTest 1.2

// The about dialog's update line with a feed offering a newer or the same version.
TestCase {
    id: test

    property var window: null

    function child(name) {
        var item = findChild(window.contentItem, name) || findChild(window, name);
        verify(item, name);
        return item;
    }

    function openWindow(feedVersion) {
        testHelper.setSetting("Update/URL", testData.folder + "/appcast-" + feedVersion + ".xml");
        var component = Qt.createComponent("qrc:/main.qml");
        window = component.createObject(null);
        verify(window, component.errorString());
        waitForRendering(window.contentItem);
    }

    function cleanup() {
        window.destroy();
        window = null;
    }

    name: "UpdateCheck"
    when: windowShown

    function test_newerVersionIsOffered() {
        openWindow("99.0");
        var line = child("updateLine");
        tryVerify(function() { return line.text.indexOf("upd://check") >= 0; });
        line.linkActivated("upd://check");
        tryVerify(function() { return line.text.indexOf("Notes for 99.0") >= 0; }, 5000);
        verify(line.text.indexOf("An update to <b>version 99.0</b> is available") >= 0, line.text);
        compare(line.horizontalAlignment, Text.AlignLeft);
        var toast = child("toast");
        verify(toast.count >= 1);
        compare(toast.model.get(0).text, "New version 99.0 is available!");
        // The no-update notice never comes.
        wait(2300);
        verify(line.text.indexOf("No updates available") < 0);
    }

    function test_sameVersionSaysNoUpdate() {
        openWindow(runner.version);
        var line = child("updateLine");
        tryVerify(function() { return line.text.indexOf("upd://check") >= 0; });
        line.linkActivated("upd://check");
        tryVerify(function() { return line.text.indexOf("No updates available") >= 0; }, 4000);
        verify(line.text.indexOf("upd://check") > line.text.indexOf("No updates available"));
        compare(child("toast").model.get(0).text, "No updates available");
    }
}
