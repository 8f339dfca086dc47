import QtQuick
import modules.qml

// A bar of seven segments, or four in the light/speed form. Releasing the pointer picks
// the segment under it (never below minIndex); segments up to currentIndex are lit.
Item {
    id: slider

    property int currentIndex: 7
    property int minIndex: 0
    property bool isLight_Speed: false

    signal sliderClicked(int index)

    readonly property int travel: 140
    readonly property int segmentCount: isLight_Speed ? 4 : 7
    // Slot i of the bar picture lies at (pitch x i + 1, 2).
    readonly property int pitch: travel / segmentCount
    readonly property int slotX: 1
    readonly property int slotY: 2
    readonly property int slotHeight: 10
    readonly property int slotGap: 2

    // The release position held to the bar's travel.
    function clampX(x) {
        return Math.min(Math.max(x, 0), travel)
    }

    // The index for a release at x: the segment the position falls in, at least minIndex.
    function indexAt(x) {
        return Math.max(minIndex, Math.ceil(clampX(x) * segmentCount / travel))
    }

    // The lit slots for `index`: where each lies in the bar, and its picture.
    function litSlots(index, count, source) {
        const slots = []
        for (let i = 0; i < Math.min(index, count); ++i)
            slots.push({ x: pitch * i + slotX, y: slotY, width: pitch - slotGap, height: slotHeight, source: source })
        return slots
    }

    width: travel
    height: base.implicitHeight

    Image {
        id: base
        source: slider.isLight_Speed ? Scene.sourceSlider_LgSp : Scene.sourceSlider
    }

    Repeater {
        objectName: "fillers"
        model: slider.litSlots(slider.currentIndex, slider.segmentCount,
                               area.containsMouse ? Scene.sourceSliderFiller1 : Scene.sourceSliderFiller0)

        // The filler stretched to a slot, its 3 px rounded ends kept.
        BorderImage {
            required property var modelData
            x: modelData.x
            y: modelData.y
            width: modelData.width
            height: modelData.height
            border.left: 3
            border.right: 3
            source: modelData.source
        }
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onReleased: mouse => {
            slider.currentIndex = slider.indexAt(mouse.x)
            slider.sliderClicked(slider.currentIndex)
        }
    }
}
