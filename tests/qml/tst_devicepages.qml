import QtQuick 2.11
import QtQuick.Controls 2.4
import QtTest 1.2
import "qrc:/Pages.js" as Pages

// The whole window against the simulated device: configuration, cloud status,
// certificate and key upload, state and history pages.
TestCase {
    id: test

    property var window: null

    function child(name) {
        var item = findChild(window.contentItem, name);
        verify(item, name);
        return item;
    }

    function file(name) {
        return testData.folder + "/" + name;
    }

    name: "DevicePages"
    when: windowShown

    SignalSpy {
        id: connected

        target: runner
        signalName: "connectedToHost"
    }

    SignalSpy {
        id: configs

        target: runner
        signalName: "deviceConfig"
    }

    SignalSpy {
        id: alerts

        target: runner
        signalName: "alert"
    }

    function initTestCase() {
        verify(testData.ready, "simulator and certificates");
        var component = Qt.createComponent("qrc:/main.qml");
        compare(component.status, Component.Ready, component.errorString());
        window = component.createObject(null);
        waitForRendering(window.contentItem);

        // Connect the way an operator does: address, port, Connect.
        var page = child("connectionPage");
        page.host = "127.0.0.1";
        page.port = testData.port;
        mouseClick(child("connectButton"));
        connected.wait(5000);
        tryCompare(child("stack"), "currentIndex", Pages.sensors);
        tryCompare(child("sensorsPage"), "count", 2);
        tryVerify(function() { return child("deviceTool").visible; }, 5000);
        // The configuration read on connecting would overwrite edits made before it.
        tryVerify(function() { return configs.count >= 1; }, 5000);
    }

    function cleanupTestCase() {
        runner.disconnectFromHost();
        window.destroy();
    }

    function freshConfig() {
        configs.clear();
        runner.requestConfig();
        configs.wait(5000);
        return configs.signalArguments[configs.count - 1][0];
    }

    function test_1_configurationRoundTrip() {
        var config = child("configPage");
        config.setup({ "sys-mode": "modbus", "net-mode": "ap", "net-auth": "wpa2", "net-pwd": "x" });
        compare(child("sysMode").currentIndex, 0);
        compare(child("netMode").currentText, "Access Point");
        verify(child("netAuthMode").enabled);
        compare(child("netAuthMode").currentText, "WPA2");
        compare(child("netSsid").text, "");

        child("netMode").currentIndex = 0; // Infrastructure
        verify(!child("netAuthMode").enabled);
        compare(child("netAuthMode").currentIndex, 3);
        child("sysMode").currentIndex = 1; // Cloud/MQTT
        child("netSsid").text = "lab net";
        child("netPassword").text = "s3cret \"quoted\"";
        child("stack").currentIndex = Pages.config;
        // Click only once the page is laid out, "Apply" beside "Factory Defaults".
        var apply = child("applyButton");
        var factory = child("factoryButton");
        tryVerify(function() {
            return apply.mapToItem(null, 0, 0).x >= factory.mapToItem(null, 0, 0).x + factory.width;
        });
        waitForRendering(config);
        mouseClick(apply);
        compare(child("stack").currentIndex, Pages.sensors);

        var stored = freshConfig();
        compare(stored["sys-mode"], "mqtt");
        compare(stored["net-mode"], "if");
        compare(stored["net-ssid"], "lab net");
        compare(stored["net-pwd"], "s3cret \"quoted\"");
        compare(stored["net-auth"], "wpa2");
        compare(child("netSsid").text, "lab net"); // the page shows it again
    }

    function test_2_cloudStatus() {
        runner.deviceConfig({ "mqtt-id": "" });
        compare(child("mqttClientID").text, "not set");
        runner.deviceConfig({ "mqtt-id": "dev-7" });
        compare(child("mqttClientID").text, "dev-7");
        child("stack").currentIndex = Pages.cloud;
        var swipe = child("cloudSwipe");
        mouseClick(child("nextButton"));
        compare(swipe.currentIndex, 1);
        verify(!child("regApplyButton").enabled);
        mouseClick(child("nextButton"));
        mouseClick(child("nextButton"));
        compare(swipe.currentIndex, 0);
    }

    function test_3_uploadsCertificateAndKey() {
        var upload = child("uploadPage");
        var cert = child("certificateItem");
        var key = child("keyItem");
        compare(child("mqttCert").state, "err");

        // A text file is no key: refused, nothing to upload.
        alerts.clear();
        upload.fileDialog.target = "mqtt.key.der";
        upload.fileDialog.clickProcess(false, file("notes.txt"));
        compare(alerts.signalArguments[0][0], "Invalid private key");
        compare(key.udata, null);
        compare(key.source, "");
        verify(!findChild(key, "uploadButton").enabled);

        // PEM files are converted, shown by path and uploaded as DER.
        alerts.clear();
        upload.fileDialog.target = "mqtt.cert.der";
        upload.fileDialog.clickProcess(false, file("cert.pem"));
        compare(alerts.signalArguments[0][0], "Certificate will be converted from PEM to DER");
        verify(cert.source.indexOf("cert.pem") > 0, cert.source);
        upload.fileDialog.target = "mqtt.key.der";
        upload.fileDialog.clickProcess(false, file("key.pem"));
        verify(findChild(key, "uploadButton").enabled);

        child("stack").currentIndex = Pages.cloud;
        var swipe = child("cloudSwipe");
        swipe.currentIndex = 2;
        // Let the pane slide into place before clicking on it.
        tryVerify(function() {
            return Math.abs(upload.mapToItem(null, 0, 0).x - swipe.mapToItem(null, 0, 0).x) < 1;
        });
        waitForRendering(upload);
        mouseClick(findChild(cert, "uploadButton"));
        mouseClick(findChild(key, "uploadButton"));
        tryCompare(child("mqttCert"), "state", "ok", 5000);
        tryCompare(child("mqttKey"), "state", "ok", 5000);
        compare(child("mqttCert").text, "present");

        // What the device holds is exactly what openssl writes as DER.
        compare(q_dropHandler.processInput(file("device/mqtt.cert.der")),
                q_dropHandler.processInput(file("cert.der")));
        compare(q_dropHandler.processInput(file("device/mqtt.key.der")),
                q_dropHandler.processInput(file("key.der")));

        mouseClick(findChild(cert, "clearButton"));
        verify(!findChild(cert, "uploadButton").enabled);
    }

    function test_4_historyScrolls() {
        var history = child("historyTable");
        child("stack").currentIndex = Pages.history;
        runner.requestHistory();
        tryCompare(history, "count", 100, 5000);
        waitForRendering(history);
        verify(history.contentHeight > history.height);
        history.positionViewAtEnd();
        verify(history.contentY > 0);
        verify(child("accuracyLine").text.indexOf("±30sec") > 0);
    }

    function clickButton(dialog, button) {
        tryCompare(dialog, "opened", true);
        waitForRendering(dialog.contentItem);
        mouseClick(dialog.standardButton(button));
        tryCompare(dialog, "visible", false);
    }

    function test_5_factoryDefaultsAskFirst() {
        var stored = freshConfig();
        verify(stored["net-ssid"] !== "VELTRA2-5E1001", "the device is set up");
        child("stack").currentIndex = Pages.config;
        var factory = child("factoryButton");
        waitForRendering(factory);
        var dialog = findChild(window, "factoryDialog");

        mouseClick(factory);
        compare(dialog.text, "Reset the device configuration to factory settings?");
        clickButton(dialog, Dialog.No);
        compare(child("stack").currentIndex, Pages.config);
        compare(freshConfig()["net-ssid"], stored["net-ssid"]);

        mouseClick(factory);
        clickButton(dialog, Dialog.Yes);
        compare(child("stack").currentIndex, Pages.sensors);
        tryVerify(function() { return freshConfig()["net-ssid"] === "VELTRA2-5E1001"; }, 5000);
    }

    function test_6_rebootAsksFirst() {
        var dialog = findChild(window, "rebootDialog");
        var menu = findChild(window, "deviceMenu");
        function chooseReboot() {
            mouseClick(child("deviceTool"));
            tryCompare(menu, "opened", true);
            waitForRendering(menu.contentItem);
            mouseClick(menu.itemAt(menu.count - 1));
        }

        alerts.clear();
        chooseReboot();
        compare(dialog.text, "Reboot the device?");
        clickButton(dialog, Dialog.No);
        freshConfig(); // still linked, and answered in turn
        compare(alerts.count, 0);

        connected.clear();
        chooseReboot();
        clickButton(dialog, Dialog.Yes);
        tryVerify(function() { return alerts.count >= 1; }, 5000);
        compare(alerts.signalArguments[0][0], "Device will reboot");
        connected.wait(15000);
    }

    function test_4_historyExport() {
        child("stack").currentIndex = Pages.history;
        runner.requestHistory();
        tryCompare(child("historyTable"), "count", 100, 5000);
        var button = child("csvButton");
        waitForRendering(button);
        mouseClick(button);
        var dialog = findChild(window, "csvDialog");
        var name = "veltra2-history-veltra-2w-" + Qt.formatDate(new Date(), "yyyy-MM-dd") + ".csv";
        verify(String(dialog.currentFile).endsWith("/" + name), dialog.currentFile);
        alerts.clear();
        dialog.currentFile = file(name);
        dialog.accept();
        compare(alerts.signalArguments[0][0], "Saved to " + file(name));
        var lines = String(q_dropHandler.processInput(file(name))).split("\r\n");
        compare(lines[0], "time,temperature,humidity");
        compare(lines.length, 102); // a row per sample, and the last line's end
        verify(/^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d,-?[\d.]+,-?[\d.]+$/.test(lines[1]),
               lines[1]);
    }

    function test_7_fileDialogScrolls() {
        for (var i = 0; i < 60; ++i)
            testHelper.writeFile("many/file-" + (100 + i) + ".txt", "x");
        var dialog = child("uploadPage").fileDialog;
        child("stack").currentIndex = Pages.cloud;
        child("cloudSwipe").currentIndex = 2;
        dialog.folder = file("many");
        dialog.open();
        tryCompare(dialog, "opened", true);
        var list = findChild(dialog.contentItem, "fileList");
        tryVerify(function() { return list.count === 60; });
        waitForRendering(list);

        var row = list.itemAtIndex(2);
        mouseClick(row, row.width - 40, row.height / 2);
        compare(list.currentIndex, 2);

        // The scroll bar can be dragged.
        var bar = findChild(dialog.contentItem, "fileScrollBar");
        mousePress(bar, bar.width / 2, 10);
        mouseMove(bar, bar.width / 2, bar.height / 2);
        mouseRelease(bar, bar.width / 2, bar.height / 2);
        verify(list.contentY > 0, "the list did not move");
        dialog.close();
    }
}
