import QtQuick 2.11
import QtTest 1.2
import "qrc:/"

// Pages on their own: the connection form and saved list, the sensors page.
TestCase {
    id: test

    name: "Pages"
    when: windowShown
    visible: true
    width: 800
    height: 500

    function make(document, properties) {
        return createTemporaryObject(Qt.createComponent("qrc:/" + document + ".qml"), test,
                                     properties || { "width": 800, "height": 500 });
    }

    function test_connectionForm() {
        var page = make("ConnectionPage");
        var button = findChild(page, "connectButton");
        verify(!button.enabled); // no address, no connection
        page.host = "127.0.0.1";
        page.port = 8081;
        compare(findChild(page, "portEdit").contentItem.text, "8081"); // never 8,081
        page.connecting = true;
        page.host = "127.0.0.12"; // editing stops the spinner
        verify(!page.connecting && button.enabled);
    }

    function test_savedList() {
        var page = make("ConnectionPage");
        var listButton = findChild(page, "listButton");
        verify(!listButton.visible); // nothing saved yet
        runner.connectToHost("127.0.0.1", 1);
        runner.saveConnection("lab");
        runner.disconnectFromHost();
        tryCompare(listButton, "visible", true);
        waitForRendering(page);
        mouseClick(listButton);
        compare(listButton.tooltip, "Back");
        var list = findChild(page, "connList");
        tryCompare(list, "count", 1);
        compare(list.itemAtIndex(0).text, "lab (127.0.0.1:1)");
        // Deleting the last entry keeps the empty list; going back hides the button.
        runner.connListModel().remove(0);
        tryCompare(list, "count", 0);
        verify(listButton.visible);
        mouseClick(listButton);
        tryCompare(listButton, "visible", false);
    }

    function test_sensorsPage() {
        var page = make("SensorsPage");
        var indicator = findChild(page, "pageIndicator");
        page.addPage("\u2103");
        verify(!indicator.visible); // one sensor, no page indicator
        page.addPage("%");
        verify(indicator.visible);
        page.pageAt(0).setup(-55, 128);
        compare([page.pageAt(0).gauge.minimumValue, page.pageAt(0).gauge.maximumValue], [-55, 130]);
        page.pageAt(1).setup(-12, 12);
        compare([page.pageAt(1).gauge.minimumValue, page.pageAt(1).gauge.maximumValue], [-15, 15]);
        // A chart of readings above 20 still starts its axis at 0.
        var chart = page.pageAt(0).chart;
        chart.values = [21.5, 22, 23.25];
        chart.labels = ["-10", "-5", "0"];
        chart.updateChart();
        tryVerify(function() { return chart.chart !== undefined; });
        compare(chart.chart.axes.scale.start, 0);
        page.clearView();
        compare(page.count, 0);
    }
}
