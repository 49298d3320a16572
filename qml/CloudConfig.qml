import QtQuick 2.11

MaterialPane {
    id: page

    function update_config(config) {
    }

    function update_devinfo(info) {
    }
}
