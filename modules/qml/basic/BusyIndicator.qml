import QtQuick
import modules.qml

// "LOADING ......", pulsing while the view is held busy.
Item {
    id: busyIndicator
    property bool busy: false
    width: loadingText.implicitWidth
    height: loadingText.implicitHeight
    visible: busy

    function setBusy(isBusy) {
        busy = isBusy
    }

    SceneText {
        id: loadingText
        text: "LOADING ......"

        SequentialAnimation on opacity {
            running: busyIndicator.busy
            loops: Animation.Infinite
            NumberAnimation { from: 1.0; to: 0.2; duration: 400 }
            NumberAnimation { from: 0.2; to: 1.0; duration: 400 }
        }
    }
}
