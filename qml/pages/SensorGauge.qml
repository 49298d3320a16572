import QtQuick 2.11
import QtQuick.Controls.Material 2.3
import QtQuick.Controls.Styles 1.4
import QtQuick.Extras 1.4

// The round gauge of one sensor; its scale ends on whole steps.
CircularGauge {
    id: gauge

    property int rindex: 0
    property string unit: ""
    property real min: 0
    property real max: 100
    property int mstepSize: 5
    // The value as the device sent it; the needle stops at the scale's ends.
    property real reading: 0
    // Whether the device's latest answer held a reading at all; without one
    // the needle stays where it was, dimmed, and no value is shown. Before
    // the first reading there is no needle: nothing is made up.
    property bool hasReading: false
    property bool everRead: false
    // What the sensor measures ("Temperature").
    property string sensorName: ""
    // Whether the reading shown is old, and how old, in words.
    property bool stale: false
    property string ageText: ""
    readonly property bool dimmed: !hasReading || stale

    // Lower limit moved down, upper limit moved up, to a multiple of the step.
    function lowerBound(limit, step) {
        var r = Math.round(limit);
        return r - ((step - (Math.abs(r) % step)) % step);
    }

    function upperBound(limit, step) {
        var r = Math.round(limit);
        return r + ((step - (Math.abs(r) % step)) % step);
    }

    // Every second major tick is labelled.
    function labelShown(tick) {
        return Math.round(tick) % (2 * mstepSize) === 0;
    }

    // 23.456 -> "23.46", 23.5 -> "23.5", 23.0 -> "23".
    // To the device's two decimals, as the window's locale writes numbers;
    // an absurd reading in short.
    function valueText(v) {
        var shown = Math.abs(v) < 1e6 ? Number(v).toLocaleString(Qt.locale(), "f", 2)
                                      : Number(v).toLocaleString(Qt.locale(), "g", 3);
        return shown + unit;
    }

    Accessible.role: Accessible.StaticText
    Accessible.name: sensorName + " " + (hasReading ? valueText(reading) : qsTr("no reading"))
                     + (ageText ? ", " + ageText : "")
    minimumValue: lowerBound(min, mstepSize)
    maximumValue: upperBound(max, mstepSize)
    value: Math.min(Math.max(reading, minimumValue), maximumValue)

    style: CircularGaugeStyle {
        id: gaugeStyle

        tickmarkStepSize: gauge.mstepSize
        labelStepSize: gauge.mstepSize
        // Far enough in from the arc for "-10" at any size.
        labelInset: outerRadius * 0.3

        background: Canvas {
            onWidthChanged: requestPaint()
            onHeightChanged: requestPaint()
            onPaint: {
                var ctx = getContext("2d");
                ctx.reset();
                var r = gaugeStyle.outerRadius;
                // Squeezed to nothing (a tiny window), there is no arc to draw.
                if (r * 0.94 - 4 <= 0)
                    return;
                ctx.beginPath();
                ctx.strokeStyle = Material.primary;
                ctx.lineWidth = 8;
                ctx.lineCap = "butt";
                ctx.arc(r, r, r * 0.94 - 4,
                        (gaugeStyle.valueToAngle(gauge.minimumValue) - 90) * Math.PI / 180,
                        (gaugeStyle.valueToAngle(gauge.maximumValue) - 90) * Math.PI / 180);
                ctx.stroke();
            }
        }

        tickmark: Rectangle {
            implicitWidth: gaugeStyle.outerRadius * 0.02
            implicitHeight: gaugeStyle.outerRadius * 0.06
            antialiasing: true
            color: Qt.darker(Material.primary)
        }

        minorTickmark: Rectangle {
            implicitWidth: gaugeStyle.outerRadius * 0.01
            implicitHeight: gaugeStyle.outerRadius * 0.03
            antialiasing: true
            color: Material.primary
        }

        tickmarkLabel: Text {
            text: styleData.value
            visible: gauge.labelShown(styleData.value)
            color: Material.primary
            font.pixelSize: Math.max(6, gaugeStyle.outerRadius * 0.1)
            antialiasing: true
        }

        needle: Item {
            objectName: "gaugeNeedle"
            implicitWidth: gaugeStyle.outerRadius * 0.08
            implicitHeight: gaugeStyle.outerRadius * 0.85
            y: -gaugeStyle.outerRadius * 0.05
            visible: gauge.everRead
            opacity: gauge.dimmed ? 0.3 : 1

            Image {
                anchors.fill: parent
                source: "qrc:/needle.png"
                asynchronous: true
                antialiasing: true
                smooth: true
            }
        }

        foreground: Item {
            Rectangle {
                opacity: valueLabel.opacity
                anchors.centerIn: valueLabel
                width: Math.max(valueLabel.width * 1.2, gaugeStyle.outerRadius * 0.6)
                height: valueLabel.height + 6
                radius: 5
                color: Material.primary
                border.color: "white"
            }

            Text {
                id: valueLabel

                objectName: "gaugeValue"
                opacity: gauge.stale ? 0.5 : 1
                anchors.centerIn: parent
                anchors.verticalCenterOffset: gauge.height * 0.12
                text: gauge.hasReading ? gauge.valueText(gauge.reading) : "\u2014"
                font.pixelSize: gaugeStyle.outerRadius * 0.17
                color: Material.foreground
            }
        }
    }
}
