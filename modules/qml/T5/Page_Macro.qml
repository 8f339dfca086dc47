import QtQuick
import modules.qml

// The macro editor page; its content comes with the macro editor work.
Item {
    width: 759
    height: 396

    Image {
        source: Scene.sourceFnMacroBackground
    }

    function initUI() {
    }

    function translateStrings() {
    }
}
