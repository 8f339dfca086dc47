import QtQuick
import QtTest
import modules.qml

// The frame: opening and closing, page switching, the menus, busy protection, dimming.
TestCase {
    id: testCase
    name: "Frame"
    width: 1000
    height: 600
    visible: true
    when: windowShown

    Loader {
        id: loader
        active: false
        source: "qrc:/modules/qml/main.qml"
    }

    property var root: loader.item

    function part(name) {
        const found = findChild(root, name)
        verify(found, "no scene element " + name)
        return found
    }

    // A fresh scene, initialised from the stand-in view, with short animations unless a
    // case needs a slide it can catch running.
    function startScene(animationSpeed) {
        loader.active = true
        part("pageGlobalsetting")._AnimationSpeed = animationSpeed
        root.initUI()
    }

    // The opening sequence run to its end: frame shown, menus in place, no page.
    function openScene() {
        startScene(10)
        root.run()
        tryCompare(part("pageArea"), "visible", true)
        tryCompare(part("pa_X"), "running", false)
    }

    function init() {
        failOnWarning(/.*/)
        ui_View.reset()
        ui_Ctl.reset()
        ui_View.setAnswer("getMaxProfile", 5)
        ui_View.setAnswer("ui_A1H_GetCurrentProfile", 2)
    }

    function cleanup() {
        loader.active = false
    }

    function test_openingSequence() {
        startScene(10)
        verify(!root.visible)
        root.run()
        verify(root.visible)
        compare(ui_View.argsOf("playMedia_Index"), [1])
        tryCompare(part("pageArea"), "visible", true)
        compare(part("upItem").y, 0)
        compare(part("downItem").y, 600 - part("downItem").height)
        compare(part("logoWeb_img").y, 4)
        verify(part("fnItem").visible && part("pfItem").visible)
        compare(part("fnItem").x, 8)
        compare(part("pfItem").x, 1000 - part("pfItem").width - 8)
        compare(part("fnItem").currentIndex, -1)
        compare(part("pageArea").curID, -1)
    }

    function test_initUIReadsTheKeyboard() {
        startScene(10)
        compare(ui_View.calls.filter(c => c !== "playMedia_Index"),
                ["loadApConfig", "chkLanguages", "getIsSkinShow", // the global settings page first
                 "loadHWDef", "loadUsbStr", "loadUsbCode", "getMaxProfile", "ui_A1H_GetCurrentProfile", "syncLed"])
        compare(part("pfItem").currentIndex, 2)
    }

    function test_closingSequence() {
        openScene()
        mouseClick(part("closeButton"))
        compare(ui_View.argsOf("playMedia_Index"), [4])
        tryCompare(ui_Ctl, "calls", ["onClose"])
        compare(root.height, 0)
    }

    // show(index) from every state of the two slides: the pages in `before` are shown
    // and settled, then `trigger` starts the slide named by `during`.
    function test_show_data() {
        return [
            { tag: "no page, open one", before: [], during: "", index: 1, expectSlideIn: true },
            { tag: "page shown, close it", before: [1], during: "", index: -1, expectSlideOut: true },
            { tag: "page shown, switch", before: [1], during: "", index: 2, expectSlideOut: true },
            { tag: "during slide-out", before: [1], trigger: 2, during: "paBack_X", index: 3 },
            { tag: "during slide-in", before: [], trigger: 1, during: "pa_X", index: 0 },
        ]
    }

    function test_show(data) {
        startScene(800)
        const area = part("pageArea")
        const slideIn = part("pa_X")
        const slideOut = part("paBack_X")
        area.visible = true
        area.curID = -1
        for (const index of data.before) {
            area.show(index)
            tryCompare(slideOut, "running", false)
            tryCompare(slideIn, "running", false)
        }
        if (data.trigger !== undefined) {
            area.show(data.trigger)
            verify(part(data.during).running, data.during + " should be running")
        }
        ui_View.reset()

        area.show(data.index)
        compare(ui_View.argsOf("playMedia_Index"), [2])
        if (data.expectSlideIn) {
            verify(slideIn.running)
            compare(area.curID, data.index)
        }
        if (data.expectSlideOut)
            verify(slideOut.running)
        if (data.during === "paBack_X") {
            // The slide-out finished at once and the chosen page slides in.
            compare(area.curID, data.index)
            verify(slideIn.running)
        }
        if (data.during === "pa_X") {
            compare(area.curID, data.index)
            verify(!slideIn.running)
            compare(area.contentX, 0)
        }
        tryCompare(slideOut, "running", false)
        tryCompare(slideIn, "running", false)
        compare(area.curID, data.index)
        compare(area.contentX, data.index < 0 ? -2 * 759 : 0)
    }

    function test_currentFunctionEntryClosesThePage() {
        openScene()
        const area = part("pageArea")
        const macro = part("fnButton1")
        mouseClick(macro)
        compare(part("fnItem").currentIndex, 1)
        tryCompare(area, "contentX", 0)
        compare(area.curID, 1)
        mouseClick(macro)
        compare(part("fnItem").currentIndex, -1)
        tryCompare(area, "curID", -1)
        mouseClick(macro)
        compare(part("fnItem").currentIndex, 1)
        tryCompare(area, "curID", 1)
    }

    function test_profileLabels() {
        openScene()
        const menu = part("pfItem")
        menu.initProfile(10)
        tryVerify(() => findChild(root, "profileRow9")) // the list lays out its rows on the next frame
        const labels = []
        for (let i = 0; i < 10; ++i)
            labels.push(part("profileRow" + i).children[0].text)
        compare(labels, ["P01", "P02", "P03", "P04", "P05", "P06", "P07", "P08", "P09", "P10"])
        menu.initProfile(3)
        tryCompare(part("profileList"), "count", 3)
    }

    function test_leftClickOnProfiles() {
        openScene()
        ui_View.reset()
        mouseClick(part("profileRow2")) // the current one
        compare(ui_View.calls, [])
        mouseClick(part("profileRow4"))
        compare(part("pfItem").currentIndex, 4)
        compare(ui_View.calls, ["ui_21H_SetCurrentProfile", "syncLed"])
        compare(ui_View.argsOf("ui_21H_SetCurrentProfile"), [4])
    }

    // The context menu's entries on the current row (2) and on another (0).
    function test_profileContextMenu_data() {
        return [
            { tag: "load current", row: 2, entry: 0, calls: ["loadProfile", "ui_21H_SetCurrentProfile", "syncLed"] },
            { tag: "load other", row: 0, entry: 0, calls: ["loadProfile"] },
            { tag: "save current", row: 2, entry: 1, calls: ["saveProfile"] },
            { tag: "reset current", row: 2, entry: 2, calls: ["resetProfile", "ui_21H_SetCurrentProfile", "syncLed"] },
            { tag: "reset other", row: 0, entry: 2, calls: ["resetProfile"] },
            { tag: "cancel", row: 2, entry: 3, calls: [] },
        ]
    }

    function test_profileContextMenu(data) {
        openScene()
        ui_View.reset()
        const menu = part("profileContextMenu")
        mouseClick(part("profileRow" + data.row), 10, 10, Qt.RightButton)
        verify(menu.visible)
        compare(menu.x, 10 - 45)
        compare(menu.y, data.row * 26 + 10 + 85)
        compare(part("pfItem").currentIndex, 2)
        mouseClick(part("contextEntry" + data.entry))
        tryCompare(menu, "visible", false)
        compare(ui_View.calls, data.calls)
        if (data.calls.length > 0)
            compare(ui_View.argsOf(data.calls[0]), [data.row])
        if (data.calls.length > 1)
            compare(ui_View.argsOf("ui_21H_SetCurrentProfile"), [2])
    }

    function test_busyProtection() {
        openScene()
        const busy = part("protectUIItem")
        root.setProtectUI(200)
        verify(!ui_View.enabled)
        verify(busy.visible)
        tryCompare(ui_View, "enabled", true)
        verify(!busy.visible)

        // The start-up pair: 1 ms, then 0 ms.
        ui_View.reset()
        root.setProtectUI(1)
        root.setProtectUI(0)
        tryCompare(ui_View, "enabled", true)
        verify(!busy.visible)
        compare(ui_View.calls, ["setEnabled", "setEnabled", "setEnabled"])
    }

    function test_settingsPanelDimsTheDeviceArea() {
        openScene()
        const dimmed = ["pageArea", "fnItem", "pfItem", "downItem"]
        const panel = part("globalSettingPanel")
        mouseClick(part("settingsButton"))
        compare(ui_View.argsOf("playMedia_Index"), [2])
        verify(part("upItem").isGlobalSettingSelect)
        verify(panel.visible)
        for (const name of dimmed) {
            compare(part(name).opacity, 0.2, name)
            verify(!part(name).enabled, name)
        }
        compare(part("upItem").opacity, 1.0)
        // The bar's buttons are dimmed once, with the bar.
        compare(part("totalResetButton").opacity, 1.0)
        mouseClick(part("fnButton0"))
        compare(part("fnItem").currentIndex, -1)

        mouseClick(part("settingsButton"))
        verify(!part("upItem").isGlobalSettingSelect)
        tryCompare(panel, "visible", false)
        for (const name of dimmed)
            compare(part(name).opacity, 1.0, name)
    }

    function test_windowDragging() {
        openScene()
        mousePress(root, 600, 560 - 40)
        mouseMove(root, 610, 515)
        mouseMove(root, 590, 530)
        mouseRelease(root, 590, 530)
        compare(ui_Ctl.calls, ["onXChanged", "onYChanged", "onXChanged", "onYChanged"])
        compare(ui_Ctl.argsOf("onXChanged"), [-10])
        compare(ui_Ctl.argsOf("onYChanged"), [10])
    }

    function test_keyEvents() {
        startScene(10)
        const t5 = part("main_T5")
        const spy = signalSpy.createObject(testCase, { target: t5, signalName: "msg_KB" })
        root.detectKeyboard(true, 0x04)
        root.detectKeyboard(false, 0x04)
        root.detectMouse(true, 1, 10, 10)
        compare(t5.lastPressKeyCode, 0x04)
        compare(spy.count, 2)
        compare(Array.from(spy.signalArguments[1]), [false, 0x04])
        root.detectKeyboard(false, 0x05) // a release leaves the last pressed key
        compare(t5.lastPressKeyCode, 0x04)
        spy.destroy()
    }

    Component {
        id: signalSpy
        SignalSpy {}
    }
}
