import QtQuick
import modules.qml

// The colour page; its content comes with the lighting work.
Item {
    width: 759
    height: 442

    Image {
        source: Scene.sourceFnColorBackground
    }

    function initUI(isFirst, hwDef) {
    }

    // Runs the lighting preview while the page is shown.
    function playEffect(isVisible) {
    }

    function translateStrings() {
    }
}
