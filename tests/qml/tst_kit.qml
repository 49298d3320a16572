import QtQuick 2.11
import QtTest 1.2
import "qrc:/"

TestCase {
    id: test

    name: "MaterialKit"
    when: windowShown
    visible: true
    width: 400
    height: 300

    Component {
        id: buttonComponent

        MaterialButton {
            text: "Go"
            micon: MaterialFont.icon.send
        }
    }

    Component {
        id: spinComponent

        MaterialSpin {
            from: 0
            to: 65535
        }
    }

    function test_iconTable() {
        compare(MaterialFont.icon.menu, "\ue5d2");
        compare(MaterialFont.icon.menu.length, 1);
        compare(MaterialFont.icon.zoom_out_map, "\ue56b");
        compare(MaterialFont.icons.length, 932);
        compare(MaterialFont.icons[0], "3d_rotation");
        compare(MaterialFont.icons[931], "zoom_out_map");
        compare(MaterialFont.fontName, "Material Icons");
    }

    function test_disabledButtonIsFaint() {
        var button = createTemporaryObject(buttonComponent, this);
        compare(button.background.opacity, 1);
        button.enabled = false;
        compare(button.background.opacity, 0.3);
    }

    function test_pressedButtonTakesTheAccent() {
        var button = createTemporaryObject(buttonComponent, this);
        waitForRendering(button);
        mousePress(button);
        verify(button.pressed);
        compare(button.background.border.color, button.pressedColor);
        mouseRelease(button);
        compare(button.background.border.color, button.bgColor);
    }

    function test_spinShowsPlainNumbers() {
        var spin = createTemporaryObject(spinComponent, this, {
            "value": 8081
        });
        compare(spin.contentItem.text, "8081");
        spin.value = 65535;
        compare(spin.contentItem.text, "65535");
    }
}
