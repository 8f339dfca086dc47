import QtQuick
import modules.qml

// The two ornaments beside the menus' tops.
Item {
    width: 1000
    height: 600

    Image {
        source: Scene.sourceDecoration1
        x: 78 - width / 2
        y: 93 - height / 2
    }

    Image {
        source: Scene.sourceDecoration2
        x: 923 - width / 2
        y: 93 - height / 2
    }
}
