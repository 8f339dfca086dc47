import QtQuick
import modules.qml

// A picture button: source1 under the pointer, source0 otherwise; dimmed while pressed
// or disabled. A click plays the click sound, then emits clicked.
// Inside a part that is disabled and dimmed as a whole, the button does not dim itself
// again (0.2 of 0.2 would all but hide it).
Item {
    id: button

    property url source0
    property url source1

    signal clicked

    readonly property int clickSound: 0x04

    implicitWidth: picture.implicitWidth
    implicitHeight: picture.implicitHeight
    readonly property bool disabledAlone: !enabled && (!parent || parent.enabled)
    opacity: area.pressed || disabledAlone ? 0.2 : 1.0

    Image {
        id: picture
        anchors.fill: parent
        source: area.containsMouse ? button.source1 : button.source0
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: {
            if (Scene.view)
                Scene.view.playMedia_Index(button.clickSound)
            button.clicked()
        }
    }
}
