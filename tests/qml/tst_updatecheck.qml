import QtQuick 2.11
import QtTest 1.2

// The about dialog's update line, with feeds offering a newer or the same
// version, slow or not to be had.
WindowCase {
    // The window with the update line ready to check against `feed`.
    function lineFor(feed) {
        testHelper.setSetting("Update/URL", feed);
        openWindow();
        var line = child("updateLine");
        tryVerify(function() { return line.text.indexOf("upd://check") >= 0; });
        return line;
    }

    name: "UpdateCheck"

    function cleanup() {
        closeWindow();
    }

    function test_answerComesWithTheFeed_data() {
        return [
            { tag: "newer", feed: testData.folder + "/appcast-99.0.xml",
              answer: "An update to <b>version 99.0</b> is available", toast: "New version 99.0 is available!",
              after: 0 },
            { tag: "up to date, after a slow feed", feed: "http://127.0.0.1:" + testHelper.trapPort() + "/feed/2500",
              answer: "No updates available", toast: "No updates available", after: 2500 },
            { tag: "no feed to be had", feed: testData.folder + "/no-such-feed.xml",
              answer: "Cannot check for updates", toast: "Cannot check for updates", after: 0 }
        ];
    }

    function test_answerComesWithTheFeed(data) {
        var line = lineFor(data.feed);
        var asked = Date.now();
        line.linkActivated("upd://check");
        tryVerify(function() { return line.text.indexOf(data.answer) >= 0; }, 6000);
        verify(Date.now() - asked >= data.after, "answered before the feed came");
        compare(child("toast").model.get(0).text, data.toast);
    }
}
