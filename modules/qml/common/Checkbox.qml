import QtQuick
import modules.qml

// A tick box with a bold label 5 px to its right. A click plays the click sound,
// toggles isSelect and emits clicked with the new state.
Item {
    id: checkbox

    property bool isSelect: false
    property string chkStr: ""

    signal clicked(bool select)

    readonly property int clickSound: 0x04
    readonly property int labelGap: 5

    implicitWidth: tick.width + (chkStr === "" ? 0 : labelGap + label.implicitWidth)
    implicitHeight: Math.max(tick.height, label.implicitHeight)

    Image {
        id: tick
        anchors.verticalCenter: parent.verticalCenter
        source: checkbox.isSelect ? Scene.sourceCHK1 : Scene.sourceCHK0
    }

    SceneText {
        id: label
        anchors.left: tick.right
        anchors.leftMargin: checkbox.labelGap
        anchors.verticalCenter: parent.verticalCenter
        text: checkbox.chkStr
        color: !checkbox.enabled ? Scene.globalSetting_color_disable
             : checkbox.isSelect || area.containsMouse ? Scene.globalSetting_color
             : Scene.globalSetting_color_enable
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: {
            if (Scene.view)
                Scene.view.playMedia_Index(checkbox.clickSound)
            checkbox.isSelect = !checkbox.isSelect
            checkbox.clicked(checkbox.isSelect)
        }
    }
}
