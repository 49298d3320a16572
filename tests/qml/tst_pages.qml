import QtQuick 2.11
import QtTest 1.2
import "qrc:/"

// The connection page on its own: the form and the saved list.
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
        page.host = " ";
        verify(!button.enabled);
        page.host = "127.0.0.1";
        page.port = 8081;
        var port = findChild(page, "portEdit");
        compare(port.contentItem.text, "8081"); // never 8,081
        verify(button.enabled);
        // Up goes on from the number typed, not from the one before it.
        port.contentItem.forceActiveFocus();
        port.contentItem.selectAll();
        "24111".split("").forEach(function(digit) { keyClick(digit); });
        keyClick(Qt.Key_Up);
        compare(port.value, 24112);
        compare(port.contentItem.text, "24112");
        // An emptied port is no port, whatever the box last held.
        port.contentItem.text = "";
        compare(page.enteredPort(), 0);
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
        verify(page.listShown && !listButton.visible); // the window's Back returns
        var list = findChild(page, "connList");
        tryCompare(list, "count", 1);
        compare(list.itemAtIndex(0).text, "lab (127.0.0.1:1)");
        // Deleting the last entry keeps the empty list; back at the form,
        // there is no list to go to.
        runner.connListModel().remove(0);
        tryCompare(list, "count", 0);
        tryVerify(function() { return findChild(page, "connectionsEmpty").visible; }); // said, not blank
        page.showForm();
        verify(!page.listShown && !listButton.visible);
    }
}
