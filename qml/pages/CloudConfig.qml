import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3
import QtQuick.Layouts 1.3

// Page 3: the device's cloud identity, its registration, and the upload of
// the client certificate and key.
MaterialPane {
    id: page

    title: qsTranslate("main", "Cloud")

    function update_config(config) {
        var id = config.hasOwnProperty("mqtt-id") ? String(config["mqtt-id"]) : "";
        mqttClientID.clientId = id;
        mqttClientID.state = id !== "" ? "set" : "unset";
    }

    function update_devinfo(info) {
        mqttCert.state = info.cert ? "ok" : "err";
        mqttKey.state = info.key ? "ok" : "err";
    }

    // The device is asked again for what this page shows.
    Shortcut {
        sequence: StandardKey.Refresh
        enabled: page.visible
        onActivated: {
            runner.requestDevInfo();
            runner.requestConfig();
        }
    }

    SwipeView {
        id: swipe

        objectName: "cloudSwipe"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        // The way on has a row of its own: it covers nothing of a part.
        anchors.bottom: nextButton.top
        anchors.bottomMargin: 5
        clip: true

        // Each part scrolls where the window is too short for it.
        ScrollingPane {
            id: infoPane

            objectName: "cloudInfo"
            framed: false
            // The part has nothing to press: it is one stop for the keyboard,
            // framed, and read out whole.
            activeFocusOnTab: true
            Accessible.role: Accessible.Grouping
            Accessible.name: qsTr("Client ID") + ": " + mqttClientID.text + ", " + qsTr("Certificate") + ": "
                             + mqttCert.Accessible.name + ", " + qsTr("Key") + ": " + mqttKey.Accessible.name

            Column {
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.top: parent.top
                spacing: 10

                GroupBox {
                    width: parent.width
                    title: qsTr("Client ID")

                    Label {
                        id: mqttClientID

                        // The device's text, shown as it is and never as markup.
                        property string clientId: ""

                        objectName: "mqttClientID"
                        width: parent.width
                        font.pointSize: Theme.bodyText
                        textFormat: Text.PlainText
                        wrapMode: Text.WrapAnywhere
                        states: [
                            State {
                                name: "set"
                                PropertyChanges {
                                    target: mqttClientID
                                    text: mqttClientID.clientId
                                }
                            },
                            State {
                                name: "unset"
                                PropertyChanges {
                                    target: mqttClientID
                                    text: qsTr("not set")
                                    color: Material.color(Material.Red)
                                    font.bold: true
                                }
                            }
                        ]
                    }
                }
                GroupBox {
                    width: parent.width
                    title: qsTr("Certificate")

                    Label {
                        id: mqttCert

                        objectName: "mqttCert"
                        font.pointSize: Theme.bodyText
                        textFormat: Text.RichText
                        Accessible.name: state === "ok" ? qsTr("present") : qsTr("missing")
                        state: "err"
                        states: [
                            State {
                                name: "ok"
                                PropertyChanges {
                                    target: mqttCert
                                    text: qsTr("present")
                                    color: Material.color(Material.Green)
                                }
                            },
                            State {
                                name: "err"
                                PropertyChanges {
                                    target: mqttCert
                                    text: "<b>" + qsTr("missing") + "</b>"
                                    color: Material.color(Material.Red)
                                }
                            }
                        ]
                    }
                }
                GroupBox {
                    width: parent.width
                    title: qsTr("Key")

                    Label {
                        id: mqttKey

                        objectName: "mqttKey"
                        font.pointSize: Theme.bodyText
                        textFormat: Text.RichText
                        Accessible.name: state === "ok" ? qsTr("present") : qsTr("missing")
                        state: "err"
                        states: [
                            State {
                                name: "ok"
                                PropertyChanges {
                                    target: mqttKey
                                    text: qsTr("present")
                                    color: Material.color(Material.Green)
                                }
                            },
                            State {
                                name: "err"
                                PropertyChanges {
                                    target: mqttKey
                                    text: "<b>" + qsTr("missing") + "</b>"
                                    color: Material.color(Material.Red)
                                }
                            }
                        ]
                    }
                }
            }
            FocusFrame {
                objectName: "cloudInfoFrame"
                shown: infoPane.visualFocus
            }
        }

        ScrollingPane {
            id: setupPane

            framed: false
            // Tab stays on the part in view.
            enabled: SwipeView.isCurrentItem
            ColumnLayout {
                anchors.horizontalCenter: parent.horizontalCenter
                y: Math.max(0, Math.round((parent.height - implicitHeight) / 2))

                Label {
                    text: qsTr("Registration ID") + ":"
                }
                MaterialInput {
                    id: regIdInput

                    objectName: "regIdInput"
                    label: qsTr("Registration ID")
                    focus: true
                    onAccepted: if (text !== "") runner.setupCloud(text)
                    Layout.preferredWidth: Math.min(400, setupPane.width - 20)
                }
                MaterialButton {
                    objectName: "regApplyButton"
                    text: qsTr("Apply")
                    micon: MaterialFont.icon.done
                    enabled: regIdInput.text !== ""
                    Layout.alignment: Qt.AlignRight
                    onClicked: runner.setupCloud(regIdInput.text)
                }
            }
        }

        FileUpload {
            id: uploadPage

            objectName: "uploadPage"
            enabled: SwipeView.isCurrentItem
        }
    }

    PageIndicator {
        objectName: "cloudPageIndicator"
        count: swipe.count
        currentIndex: swipe.currentIndex
        Accessible.ignored: true
        anchors.verticalCenter: nextButton.verticalCenter
        anchors.horizontalCenter: parent.horizontalCenter
    }
    MaterialToolButton {
        id: nextButton

        objectName: "nextButton"
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        text: MaterialFont.icon.navigate_next
        tooltip: qsTr("Next")
        onClicked: swipe.currentIndex = swipe.currentIndex === swipe.count - 1 ? 0 : swipe.currentIndex + 1
    }
}
