import QtQuick
import modules.qml

// The top bar: global settings at the left, minimise and close at the right.
// btnClicked(0 settings, 1 minimise, 2 close).
Item {
    id: menuUp
    property bool isGlobalSettingSelect: false
    signal btnClicked(int index)

    width: container.width + 16
    height: container.height + 16

    Image {
        id: container
        anchors.centerIn: parent
        source: Scene.sourceListUpContainer

        Image {
            id: settingsButton
            objectName: "settingsButton"
            x: 5
            y: -3
            source: menuUp.isGlobalSettingSelect || settingsArea.containsMouse ? Scene.sourceAS1 : Scene.sourceAS0
            MouseArea {
                id: settingsArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: {
                    Scene.view.playMedia_Index(0x02)
                    menuUp.btnClicked(0)
                }
            }
        }

        Button_2state {
            objectName: "minimiseButton"
            anchors.right: parent.right
            anchors.rightMargin: 35
            y: -3
            source0: Scene.sourceAM0
            source1: Scene.sourceAM1
            onClicked: menuUp.btnClicked(1)
        }

        Button_2state {
            objectName: "closeButton"
            anchors.right: parent.right
            anchors.rightMargin: 5
            y: -3
            source0: Scene.sourceCO0
            source1: Scene.sourceCO1
            onClicked: menuUp.btnClicked(2)
        }
    }
}
