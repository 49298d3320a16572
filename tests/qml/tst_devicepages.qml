import QtQuick 2.11
import QtQuick.Controls 2.4
import QtTest 1.2
import "qrc:/Pages.js" as Pages

// The whole window against the simulated device: configuration, cloud status,
// certificate and key upload, history, and the steps that ask first.
WindowCase {
    function file(name) {
        return testData.folder + "/" + name;
    }
    function openssl(name) {
        return testData.keys + "/" + name;
    }

    function show(page) {
        child("stack").currentIndex = page;
        waitForRendering(window.contentItem);
    }

    // Clicks a control of the configuration page once scrolled into view.
    function clickOnConfig(name) {
        var control = child(name);
        child("configPage").reveal(control);
        waitForRendering(window.contentItem);
        mouseClick(control);
    }

    function freshConfig() {
        configs.clear();
        runner.requestConfig();
        configs.wait(5000);
        return configs.signalArguments[0][0];
    }

    // Clicks a button of an open dialog.
    function answer(dialog, button) {
        tryCompare(dialog, "opened", true, 5000, dialog.objectName);
        mouseClick(dialog.standardButton(button));
        tryCompare(dialog, "visible", false);
    }

    name: "DevicePages"

    function initTestCase() {
        verify(testData.ready, "simulator and certificates");
        openWindow();
        connectTo(testData.port);
        tryCompare(child("sensorsPage"), "count", 2);
        tryVerify(function() { return child("deviceTool").visible && configs.count > 0; }, 5000);
    }

    function cleanupTestCase() {
        closeWindow();
    }

    function test_1_configurationRoundTrip() {
        // Values the page has no choice for stay the device's own.
        runner.updateConfig({ "sys-mode": "MQTT", "net-mode": "IF", "net-pwd": null });
        freshConfig();
        compare(child("sysMode").displayText, "MQTT (device's value)");
        compare(child("netMode").displayText, "IF (device's value)");
        verify(!child("netAuthMode").enabled);
        show(Pages.config);
        var apply = child("applyButton");
        verify(!apply.enabled); // nothing to send
        child("netSsid").text = "lab net";
        alerts.clear();
        clickOnConfig("applyButton");
        tryVerify(function() { return alerts.count > 0; }, 5000);
        compare(alerts.signalArguments[0][0], "Configuration applied");
        compare(child("stack").currentIndex, Pages.config);
        tryVerify(function() { return !apply.enabled; }, 5000); // the device's values shown again
        var stored = freshConfig();
        compare([stored["sys-mode"], stored["net-mode"], stored["net-ssid"], stored["net-pwd"]],
                ["MQTT", "IF", "lab net", null]);
        // Whatever the operator sets is sent.
        child("netMode").currentIndex = 1; // Access Point
        verify(child("netAuthMode").enabled);
        child("sysMode").currentIndex = 1; // Cloud/MQTT
        child("netPassword").text = "s3cret \"quoted\"";
        child("netAuthMode").currentIndex = 3; // WPA2
        show(Pages.config);
        clickOnConfig("applyButton");
        stored = freshConfig();
        compare([stored["sys-mode"], stored["net-mode"], stored["net-ssid"], stored["net-pwd"],
                 stored["net-auth"]], ["mqtt", "ap", "lab net", "s3cret \"quoted\"", "wpa2"]);
        compare(child("sysMode").count, 3);
    }

    function test_2_uploadsCertificateAndKey() {
        var upload = child("uploadPage");
        var cert = child("certificateItem");
        var key = child("keyItem");
        runner.deviceConfig({ "mqtt-id": "" });
        compare(child("mqttClientID").text, "not set");
        compare(child("mqttCert").state, "err");
        // A text file is no key: refused, nothing to upload.
        upload.fileDialog.target = "mqtt.key.der";
        upload.fileDialog.choose(file("notes.txt"));
        compare(key.udata, null);
        verify(!findChild(key, "uploadButton").enabled);
        // Neither a folder nor a file over 1 MiB is read.
        testHelper.writeFile("big.pem", "x".repeat(1024 * 1024 + 1));
        var big = file("big.pem");
        var refusals = [[big, "larger than 1 MiB"], [testData.folder, "is not a file"]];
        for (var i = 0; i < refusals.length; ++i) {
            alerts.clear();
            upload.fileDialog.choose(refusals[i][0]);
            compare(key.udata, null);
            compare(q_dropHandler.processInput(refusals[i][0]).byteLength, 0);
            verify(alerts.signalArguments[0][0].indexOf(refusals[i][1]) > 0, alerts.signalArguments[0][0]);
        }
        // PEM files are converted, shown by path and uploaded as DER.
        upload.fileDialog.target = "mqtt.cert.der";
        upload.fileDialog.choose(openssl("cert.pem"));
        verify(cert.source.indexOf("cert.pem") > 0, cert.source);
        upload.fileDialog.target = "mqtt.key.der";
        upload.fileDialog.choose(openssl("key.pem"));
        show(Pages.cloud);
        child("cloudSwipe").currentIndex = 2;
        tryVerify(function() { return Math.abs(upload.mapToItem(null, 0, 0).x) < 20; });
        mouseClick(findChild(cert, "uploadButton"));
        mouseClick(findChild(key, "uploadButton"));
        tryCompare(child("mqttCert"), "state", "ok", 5000);
        tryCompare(child("mqttKey"), "state", "ok", 5000);
        // What the device holds is exactly what openssl writes as DER.
        compare(q_dropHandler.processInput(file("device/mqtt.cert.der")),
                q_dropHandler.processInput(openssl("cert.der")));
        compare(q_dropHandler.processInput(file("device/mqtt.key.der")),
                q_dropHandler.processInput(openssl("key.der")));
    }

    function test_3_historyScrollsAndIsSaved() {
        show(Pages.history);
        runner.requestHistory();
        var history = child("historyTable");
        tryCompare(history, "count", 100, 5000);
        // The newest row is in view, and no button covers a row.
        tryVerify(function() {
            var newest = history.itemAtIndex(99);
            return newest && newest.visible && newest.mapToItem(history, 0, 0).y + newest.height <= history.height;
        });
        verify(child("csvButton").mapToItem(history, 0, 0).y >= history.height);
        verify(/^Downloaded at .*\d\d:\d\d:\d\d$/.test(child("downloadedLine").text));
        verify(child("accuracyLine").text.indexOf("±30 sec") > 0);
        mouseClick(child("csvButton"));
        var dialog = child("csvDialog");
        // What it holds, of which device, from when.
        var name = "veltra2-history_veltra-2w_127.0.0.1_" + testData.port + "_"
                + Qt.formatDate(new Date(), "yyyy-MM-dd");
        verify(String(dialog.currentFile).indexOf("/" + name) > 0, dialog.currentFile);
        name += ".csv";
        dialog.currentFile = file(name);
        alerts.clear();
        dialog.accept();
        tryVerify(function() { return alerts.count > 0; }, 5000);
        verify(alerts.signalArguments[0][0].indexOf("Saved to ") === 0, alerts.signalArguments[0][0]);
        var lines = String(q_dropHandler.processInput(file(name))).split("\r\n");
        compare(lines[0], "time,temperature,humidity");
        compare(lines.length, 102); // a row per sample, and the last line's end
        verify(/^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d,[-\d.]+,[-\d.]+$/.test(lines[1]), lines[1]);
    }

    function test_4_factoryDefaultsAndRebootAskFirst() {
        show(Pages.config);
        var factory = child("factoryDialog");
        // Notifications take a strip of their own: none lies over a button.
        var toast = child("toast");
        var button = child("factoryButton");
        for (var i = 0; i < 3; ++i)
            toast.show(i + Array(60).join(" notification"));
        tryVerify(function() { // the button scrolled into view above them
            child("configPage").reveal(button);
            return toast.count === toast.maxShown && window.reservedBottom > 50
                    && button.mapToItem(toast, 0, button.height).y <= 0;
        }, 5000);
        mouseClick(button);
        verify(factory.text.indexOf("Reset the device configuration to factory settings?") === 0);
        alerts.clear();
        answer(factory, Dialog.Ok);
        tryVerify(function() { return alerts.count > 0; }, 5000);
        compare(alerts.signalArguments[0][0], "Device reset to factory settings");
        compare(child("stack").currentIndex, Pages.config);
        tryVerify(function() { return freshConfig()["net-ssid"] === "VELTRA2-5E1001"; }, 5000);

        // Changes not yet applied outlast the link.
        var ssid = child("netSsid");
        ssid.text = "typed while the link went";
        var reboot = child("rebootDialog");
        var menu = child("deviceMenu");
        alerts.clear();
        connected.clear();
        mouseClick(child("deviceTool"));
        tryCompare(menu, "opened", true);
        mouseClick(menu.itemAt(menu.count - 1));
        verify(reboot.text.indexOf("Reboot the device?") === 0);
        answer(reboot, Dialog.Ok);
        tryVerify(function() { return alerts.count > 0; }, 5000);
        compare(alerts.signalArguments[0][0], "Device will reboot");
        connected.wait(15000);
        var page = child("configPage");
        tryVerify(function() { return page.configRead; }, 5000);
        compare(ssid.text, "typed while the link went");
        verify(child("applyButton").enabled);
        // Asked again (F5: a key the test cannot send to a Shortcut), the
        // device's own settings take their place.
        child("configRefresh").activated();
        tryCompare(ssid, "text", "VELTRA2-5E1001");
        verify(!child("applyButton").enabled);
    }

    function test_5_keyboard() {
        window.requestActivate(); // the CSV dialog took the keyboard
        tryCompare(window, "active", true);
        show(Pages.config);
        runner.updateConfig({ "net-mode": "ap" });
        var ssid = freshConfig()["net-ssid"];
        // A button pressed with the mouse does not keep the keyboard.
        var factory = child("factoryDialog");
        clickOnConfig("factoryButton");
        answer(factory, Dialog.Cancel);
        keyClick(Qt.Key_Space);
        verify(!factory.visible);
        compare(child("connectionPage").host, "127.0.0.1"); // nor does a page out of view
        // Tab goes through the five fields, then the buttons (Apply once
        // there is something to apply).
        child("netSsid").text = ssid + "-edited";
        var order = [];
        for (var i = 0; i < 14 && order[order.length - 1] !== "applyButton"; ++i) {
            keyClick(Qt.Key_Tab);
            var name = window.activeFocusItem.objectName;
            if (name !== "menuTool" && name !== "deviceTool")
                order.push(name);
        }
        compare(order, ["sysMode", "netMode", "netSsidField", "netPasswordField", "netAuthMode",
                        "backupSaveButton", "backupLoadButton", "factoryButton", "applyButton"]);
        verify(child("applyButton").visualFocus);
        // The confirmation opens on No, and Escape closes it without acting.
        keyClick(Qt.Key_Tab, Qt.ShiftModifier);
        keyClick(Qt.Key_Return);
        tryCompare(factory, "opened", true);
        verify(factory.standardButton(Dialog.Cancel).activeFocus);
        alerts.clear();
        keyClick(Qt.Key_Escape);
        tryCompare(factory, "visible", false);
        compare(freshConfig()["net-ssid"], ssid);
        compare(alerts.count, 0);
        // The keyboard is back where it was, framed; after a menu too.
        verify(child("factoryButton").visualFocus);
        var deviceTool = child("deviceTool"), menu = child("deviceMenu");
        deviceTool.forceActiveFocus(Qt.TabFocusReason);
        keyClick(Qt.Key_Space);
        tryCompare(menu, "opened", true);
        compare(menu.currentIndex, 0); // Info, for the arrows and Enter at once
        keyClick(Qt.Key_Escape);
        tryCompare(menu, "visible", false);
        verify(deviceTool.visualFocus);
        // The cloud page's statuses are one stop, framed and read out whole.
        show(Pages.cloud);
        var info = child("cloudInfo");
        for (var j = 0; j < 4 && !info.activeFocus; ++j)
            keyClick(Qt.Key_Tab);
        verify(info.activeFocus && info.visualFocus);
        verify(/^Client ID: .+, Certificate: (present|missing), Key: (present|missing)$/.test(info.Accessible.name),
               info.Accessible.name);
        verify(child("cloudInfoFrame").visible);
    }

    function test_6_configurationBackup() {
        function device() { // the simulator's file, members in order of name
            var config = JSON.parse(String(q_dropHandler.processInput(file("device/settings.cfg"))));
            return JSON.stringify(config, Object.keys(config).sort());
        }
        runner.updateConfig({ "net-ssid": "lab", "x-extra": [7] }); // a member the page has not
        freshConfig();
        var kept = device(), backup = file("backup.json");
        // What the page shows but has not applied is not what a backup holds.
        show(Pages.config);
        child("netSsid").text = "typed";
        clickOnConfig("backupSaveButton");
        answer(child("unappliedDialog"), Dialog.Cancel);
        child("netSsid").text = "lab";
        runner.saveConfigBackup(backup);
        runner.resetConfig();
        tryVerify(function() { return freshConfig()["net-ssid"] === "VELTRA2-5E1001"; }, 5000);
        // Refused, with nothing sent: another model, a damaged file, 9 MiB.
        var text = String(q_dropHandler.processInput(backup)), page = child("configPage");
        var reset = device();
        [text.replace("veltra-2w", "veltra-2u"), text.slice(0, 100), text + " ".repeat(9 << 20)].forEach(
            function(content, i) {
                alerts.clear();
                page.load(testHelper.writeFile("refused" + i + ".json", content));
                verify(page.loaded === null && alerts.signalArguments[0][0].indexOf("Cannot load ") === 0);
            });
        compare(device(), reset);
        // Loaded, compared, asked, and every member back.
        show(Pages.config);
        page.load(backup);
        var compared = child("compareDialog");
        tryVerify(function() { return compared.opened && compared.text.indexOf("x-extra: — → [7]") >= 0; });
        verify(compared.text.indexOf("SSID: VELTRA2-5E1001 → lab") >= 0, compared.text); // in the page's words
        compared.close();
        tryCompare(compared, "visible", false);
        clickOnConfig("applyButton");
        var restore = child("restoreDialog");
        compare(restore.text, "Apply the configuration from backup.json to veltra-2w at 127.0.0.1:"
                + testData.port + "?");
        alerts.clear();
        answer(restore, Dialog.Ok);
        tryVerify(function() { return device() === kept; }, 5000, device());
        compare(alerts.signalArguments[0][0], "Configuration restored from backup.json");
    }
}
