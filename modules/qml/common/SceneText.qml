import QtQuick
import modules.qml

// A text in the scene's chosen style: its font family and size, bold, in the highlight
// colour. Texts that differ set only what differs.
Text {
    font.family: Scene.globalSetting_fontFamily
    font.pixelSize: Scene.globalSetting_size
    font.bold: true
    color: Scene.globalSetting_color
}
