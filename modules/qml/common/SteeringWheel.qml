import QtQuick
import modules.qml

// A direction wheel: a hub and four arrows around it, positions 1 (top), 2 (right),
// 3 (bottom) and 4 (left); 1 and 3 point right, 2 and 4 left. Clicking an arrow makes
// it current and emits wheelClicked with its position.
Item {
    id: wheel

    property int currentIndex: 1
    property int textSize: 12
    property color textColor: Scene.globalSetting_color_enable

    signal wheelClicked(int index)

    readonly property int cellSize: 18
    readonly property int hubSize: 16
    readonly property string rightGlyph: "▶"
    readonly property string leftGlyph: "◀"

    function choose(index) {
        currentIndex = index
        wheel.wheelClicked(index)
    }

    implicitWidth: 3 * cellSize
    implicitHeight: 3 * cellSize

    component Arrow: Item {
        id: arrow
        property int position
        property string glyph
        property bool isCurrent
        property int textSize
        property color textColor
        signal picked(int position)

        Text {
            anchors.centerIn: parent
            text: arrow.glyph
            font.family: Scene.globalSetting_fontFamily
            font.pixelSize: arrow.textSize
            font.bold: true
            color: arrow.isCurrent || arrowArea.containsMouse ? Scene.globalSetting_color : arrow.textColor
        }

        MouseArea {
            id: arrowArea
            anchors.fill: parent
            hoverEnabled: true
            onClicked: arrow.picked(arrow.position)
        }
    }

    Rectangle {
        anchors.centerIn: parent
        width: wheel.hubSize
        height: wheel.hubSize
        radius: wheel.hubSize / 2
        color: "transparent"
        border.width: 2
        border.color: wheel.textColor
    }

    Arrow {
        objectName: "arrow1"
        position: 1
        glyph: wheel.rightGlyph
        x: wheel.cellSize
        y: 0
        width: wheel.cellSize
        height: wheel.cellSize
        isCurrent: wheel.currentIndex === position
        textSize: wheel.textSize
        textColor: wheel.textColor
        onPicked: index => wheel.choose(index)
    }

    Arrow {
        objectName: "arrow2"
        position: 2
        glyph: wheel.leftGlyph
        x: 2 * wheel.cellSize
        y: wheel.cellSize
        width: wheel.cellSize
        height: wheel.cellSize
        isCurrent: wheel.currentIndex === position
        textSize: wheel.textSize
        textColor: wheel.textColor
        onPicked: index => wheel.choose(index)
    }

    Arrow {
        objectName: "arrow3"
        position: 3
        glyph: wheel.rightGlyph
        x: wheel.cellSize
        y: 2 * wheel.cellSize
        width: wheel.cellSize
        height: wheel.cellSize
        isCurrent: wheel.currentIndex === position
        textSize: wheel.textSize
        textColor: wheel.textColor
        onPicked: index => wheel.choose(index)
    }

    Arrow {
        objectName: "arrow4"
        position: 4
        glyph: wheel.leftGlyph
        x: 0
        y: wheel.cellSize
        width: wheel.cellSize
        height: wheel.cellSize
        isCurrent: wheel.currentIndex === position
        textSize: wheel.textSize
        textColor: wheel.textColor
        onPicked: index => wheel.choose(index)
    }
}
