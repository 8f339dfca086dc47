import QtQuick
import modules.qml

// The backlighting page; its content comes with the lighting work.
Item {
    width: 759
    height: 396

    Image {
        source: Scene.sourceFnCommonBackground
    }

    function initUI() {
    }

    // Shows the colours the keyboard holds.
    function syncColor() {
    }

    function translateStrings() {
    }
}
