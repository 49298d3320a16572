import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3
import QtQuick.Layouts 1.3

// The site's alarms, newest first, as they were raised and cleared: each
// one acknowledged, all at once, or saved as CSV.
AppDialog {
    id: dialog

    property var site: runner.site

    title: qsTr("Alarms")
    widthShare: 3 / 4
    standardButtons: Dialog.Close
    onOpened: alarmList.forceActiveFocus(Qt.TabFocusReason)

    ColumnLayout {
        width: parent.width

        Item {
            // In a low window the buttons stay in sight below the list.
            implicitHeight: Math.max(100, Math.min(240, dialog.frame.height - 300))
            Layout.fillWidth: true

            RowList {
                id: alarmList

                objectName: "alarmList"
                model: dialog.site.alarms
                Accessible.name: dialog.title
                Keys.onReturnPressed: dialog.site.alarms.acknowledge(currentIndex)
                Keys.onEnterPressed: dialog.site.alarms.acknowledge(currentIndex)

                delegate: Rectangle {
                    id: entry

                    width: alarmList.width
                    height: text.implicitHeight + 8
                    color: model.acknowledged ? "transparent" : Qt.rgba(1, 0, 0, 0.15)
                    Accessible.role: Accessible.ListItem
                    Accessible.name: model.spoken
                        + (model.acknowledged ? ", " + qsTr("acknowledged") : "")

                    FocusFrame {
                        anchors.margins: 0
                        shown: entry.ListView.isCurrentItem && alarmList.activeFocus
                    }
                    Label {
                        id: text

                        anchors.verticalCenter: parent.verticalCenter
                        width: parent.width
                        leftPadding: 4
                        text: model.raised + "  " + model.device + "  " + model.alarm + " "
                              + model.value + "  (" + model.cleared + ")"
                        textFormat: Text.PlainText
                        wrapMode: Text.Wrap
                        font.bold: !model.acknowledged
                        Accessible.ignored: true
                    }
                    MouseArea {
                        anchors.fill: parent
                        onClicked: alarmList.currentIndex = index
                    }
                }
            }

            EmptyListNote {
                list: alarmList
                text: qsTr("No alarm has been raised.")
            }
        }
        // The buttons wrap where the window is narrow.
        Flow {
            spacing: 8
            Layout.fillWidth: true

            MaterialButton {
                text: qsTr("Acknowledge")
                enabled: alarmList.currentIndex >= 0
                micon: MaterialFont.icon.done
                onClicked: dialog.site.alarms.acknowledge(alarmList.currentIndex)
            }
            MaterialButton {
                text: qsTr("Acknowledge all")
                micon: MaterialFont.icon.done_all
                onClicked: dialog.site.alarms.acknowledgeAll()
            }
            MaterialButton {
                objectName: "exportAlarmsButton"
                text: qsTr("Save as CSV")
                micon: MaterialFont.icon.save
                onClicked: exportDialog.open()
            }
        }
    }

    SystemFileDialog {
        id: exportDialog

        title: qsTr("Save the alarms as CSV")
        saving: true
        folder: runner.documentsFolder()
        nameFilters: ["CSV (*.csv)"]
        defaultSuffix: "csv"
        onAccepted: dialog.site.exportAlarms(file)
    }
}
