import QtQuick
import modules.qml

// The backdrop: the skin's background or the user's own picture, and the frame above.
Item {
    width: 1000
    height: 600

    Image {
        anchors.fill: parent
        source: Scene.sourceBackground
    }

    // The user's picture covers the skin's backdrop; one that cannot be read leaves the
    // backdrop showing.
    Image {
        objectName: "customBackground"
        anchors.fill: parent
        visible: Scene.isCustomBackground
        source: Scene.isCustomBackground ? Scene.sourceCustomBackground : ""
        fillMode: Image.PreserveAspectCrop
        clip: true
    }

    Image {
        anchors.fill: parent
        source: Scene.sourceFrameBackground
    }
}
