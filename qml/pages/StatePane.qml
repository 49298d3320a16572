import QtQuick 2.11

// The device's raw state, framed.
TablePane {
    title: qsTranslate("main", "Status")

    StateView {
    }
}
