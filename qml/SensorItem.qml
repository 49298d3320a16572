import QtQuick 2.11
import QtQuick.Controls 2.4

// One sensor: its latest reading.
Item {
    id: control

    property int index: 0
    property string unit: ""
    property real value: 0

    function update() {
        var series = runner.chartData(index);
        if (!series)
            return;
        var values = series.getValues();
        if (values.length > 0)
            value = values[values.length - 1];
    }

    function setup(min, max) {
    }

    Label {
        anchors.centerIn: parent
        text: control.value + control.unit
        font.pointSize: 32
    }
}
