import QtQuick 2.11

MaterialPane {
    id: page

    signal finished()

    function setup(config) {
    }
}
