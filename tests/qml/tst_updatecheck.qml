import QtQuick 2.11
import QtTest 1.2

// The about dialog's update line, with feeds offering a newer or the same
// version, slow or not to be had.
TestCase {
    id: test

    property var window: null

    function child(name) {
        var item = findChild(window.contentItem, name) || findChild(window, name);
        verify(item, name);
        return item;
    }

    // The window with the update line ready to check against `feed`.
    function openWindow(feed) {
        testHelper.setSetting("Update/URL", feed);
        var component = Qt.createComponent("qrc:/main.qml");
        window = component.createObject(null);
        verify(window, component.errorString());
        waitForRendering(window.contentItem);
        var line = child("updateLine");
        tryVerify(function() { return line.text.indexOf("upd://check") >= 0; });
        return line;
    }

    function cleanup() {
        window.destroy();
        window = null;
    }

    name: "UpdateCheck"
    when: windowShown

    function test_newerVersionIsOffered() {
        var line = openWindow(testData.folder + "/appcast-99.0.xml");
        line.linkActivated("upd://check");
        tryVerify(function() { return line.text.indexOf("Notes for 99.0") >= 0; }, 5000);
        verify(line.text.indexOf("An update to <b>version 99.0</b> is available") >= 0, line.text);
        compare(line.horizontalAlignment, Text.AlignLeft);
        compare(child("toast").model.get(0).text, "New version 99.0 is available!");
    }

    function test_answerComesWithTheFeed_data() {
        var slow = "http://127.0.0.1:" + testHelper.trapPort() + "/feed/2500";
        return [
            { tag: "up to date, after a slow feed", feed: slow, answer: "No updates available",
              after: 2500 },
            { tag: "no feed to be had", feed: testData.folder + "/no-such-feed.xml",
              answer: "Cannot check for updates", after: 0 }
        ];
    }

    function test_answerComesWithTheFeed(data) {
        var line = openWindow(data.feed);
        var asked = Date.now();
        line.linkActivated("upd://check");
        tryVerify(function() { return line.text.indexOf(data.answer) >= 0; }, 6000);
        verify(Date.now() - asked >= data.after, "answered before the feed came");
        verify(line.text.indexOf("upd://check") > line.text.indexOf(data.answer), "no new offer");
        compare(child("toast").model.get(0).text, data.answer);
    }
}
