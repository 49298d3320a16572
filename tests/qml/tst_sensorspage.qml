import QtQuick 2.11
import QtTest 1.2
import "qrc:/"

TestCase {
    id: test

    name: "SensorsPage"
    when: windowShown
    visible: true
    width: 800
    height: 500

    Component {
        id: pageComponent

        SensorsPage {
            width: 800
            height: 500
        }
    }

    Component {
        id: gaugeComponent

        SensorGauge {
            width: 300
            height: 300
        }
    }

    Component {
        id: chartComponent

        MChart {
            width: 300
            height: 200
            chartType: 3
            chartAnimated: false
        }
    }

    function test_pageIndicatorOnlyForSeveralSensors() {
        var page = createTemporaryObject(pageComponent, test);
        var indicator = findChild(page, "pageIndicator");
        page.addPage("\u2103");
        verify(!indicator.visible);
        page.addPage("%");
        verify(indicator.visible);
        compare(page.pageAt(1).index, 1);
        page.removePage(5);
        compare(page.count, 2);
        page.clearView();
        compare(page.count, 0);
    }

    function test_gaugeRange_data() {
        return [
            { tag: "symmetric", min: -12, max: 12, low: -15, high: 15, labels: [-10, 0, 10] },
            { tag: "temperature", min: -55, max: 128, low: -55, high: 130,
              labels: [-50, -40, -30, -20, -10, 0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130] },
            { tag: "humidity", min: 0, max: 100, low: 0, high: 100,
              labels: [0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100] }
        ];
    }

    function test_gaugeRange(data) {
        var gauge = createTemporaryObject(gaugeComponent, test, {
            "min": data.min,
            "max": data.max
        });
        compare(gauge.minimumValue, data.low);
        compare(gauge.maximumValue, data.high);
        var shown = [];
        for (var tick = data.low; tick <= data.high; tick += gauge.mstepSize) {
            if (gauge.labelShown(tick))
                shown.push(tick);
        }
        compare(shown, data.labels);
    }

    function test_valueText() {
        var gauge = createTemporaryObject(gaugeComponent, test, { "unit": "\u2103" });
        compare(gauge.valueText(23.456), "23.46\u2103");
        compare(gauge.valueText(23.5), "23.5\u2103");
        compare(gauge.valueText(23.0), "23\u2103");
        compare(gauge.valueText(-0.004), "0\u2103");
    }

    function test_chartAxisIncludesZero() {
        var chart = createTemporaryObject(chartComponent, test);
        chart.labels = ["-10", "-5", "0"];
        chart.values = [21.5, 22, 23.25];
        chart.updateChart();
        tryVerify(function() { return chart.chart !== undefined; });
        compare(chart.chart.axes.scale.start, 0);
        verify(chart.chart.axes.scale.end >= 23.25);
    }

    function test_itemPullsItsSeries() {
        var page = createTemporaryObject(pageComponent, test);
        page.addPage("\u2103");
        var item = page.pageAt(0);
        // No series for this sensor yet: nothing changes.
        item.update();
        compare(item.gauge.value, 0);
        item.setup(-55, 128);
        compare(item.gauge.minimumValue, -55);
        compare(item.gauge.maximumValue, 130);
    }
}
