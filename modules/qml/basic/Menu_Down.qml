import QtQuick
import modules.qml

// The bottom bar: reset and apply of every page at once.
Item {
    id: menuDown
    signal btnTotalResetClicked
    signal btnTotalApplyClicked

    width: container.width + 18
    height: container.height + 18

    // The bar's pictures follow the skin by binding; kept for the frame's re-skin call.
    function setSkin() {
    }

    Image {
        id: container
        anchors.centerIn: parent
        source: Scene.sourceListDnContainer

        Button_2state {
            id: resetButton
            objectName: "totalResetButton"
            x: 350
            y: 13
            source0: Scene.sourceReset0
            source1: Scene.sourceReset1
            onClicked: {
                Scene.protectRequested(800)
                menuDown.btnTotalResetClicked()
            }
        }

        BarLabel {
            id: resetLabel
            anchors.left: resetButton.right
            anchors.verticalCenter: resetButton.verticalCenter
            text: Scene.text(113, "ALL RESET")
        }

        Button_2state {
            id: applyButton
            objectName: "totalApplyButton"
            x: 350 + resetButton.width + resetLabel.width + 35
            y: 13
            source0: Scene.sourceApply0
            source1: Scene.sourceApply1
            onClicked: {
                Scene.protectRequested(2000)
                menuDown.btnTotalApplyClicked()
            }
        }

        BarLabel {
            anchors.left: applyButton.right
            anchors.verticalCenter: applyButton.verticalCenter
            text: Scene.text(114, "ALL SAVE")
        }
    }

    component BarLabel: SceneText {
        font.bold: false
        anchors.leftMargin: 5
    }
}
