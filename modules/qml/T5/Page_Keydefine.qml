import QtQuick
import modules.qml

// The key assignment page; its content comes with the key assignment work.
Item {
    width: 759
    height: 442

    Image {
        source: Scene.sourceFnKeydefineBackground
    }

    function initUI(isFirst, hwDef) {
    }

    function translateStrings() {
    }
}
