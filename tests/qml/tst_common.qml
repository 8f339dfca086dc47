import QtQuick
import QtTest
import modules.qml

// The shared widgets on their own, with the stand-in view and a small key-name table.
Item {
    id: window
    width: 400
    height: 320

    // Somewhere else to put the focus.
    TextInput {
        id: elsewhere
        x: 380
        y: 300
        width: 10
        height: 10
    }

    ListModel {
        id: threeItems
        ListElement { textX: "ONE" }
        ListElement { textX: "TWO" }
        ListElement { textX: "THREE" }
    }

    Component { id: buttonComponent; Button_2state { x: 20; y: 20; source0: Scene.sourceApply0; source1: Scene.sourceApply1 } }
    Component { id: checkboxComponent; Checkbox { x: 20; y: 20; chkStr: "GAMING MODE" } }
    Component { id: sliderComponent; Slider { x: 50; y: 20 } }
    Component { id: dropdownComponent; DropdownList { x: 20; y: 20 } }
    Component { id: fileListComponent; FileList { x: 20; y: 20 } }
    Component { id: fileListButtonComponent; FileListButton { x: 20; y: 20 } }
    Component { id: keyInputComponent; KeyInput { x: 20; y: 20 } }
    Component { id: keyInput2Component; KeyInput_2 { x: 20; y: 20 } }
    Component { id: comboComponent; ComboBox { x: 20; y: 20 } }
    Component { id: wheelComponent; SteeringWheel { x: 20; y: 20 } }
    Component { id: spyComponent; SignalSpy {} }

    TestCase {
        id: testCase
        name: "Common"
        when: windowShown

        readonly property var names: ({ 4: "A", 5: "B", 6: "C", 7: "D", 0xE0: "L-CTRL" })
        readonly property int unnamed: 0x99

        function init() {
            failOnWarning(/.*/)
            Scene.view = ui_View
            Scene.animation_speed = 10
            Scene.keyCodeString = { keycodeTostr: code => names[code] }
            ui_View.reset()
            elsewhere.forceActiveFocus()
        }

        function cleanup() {
            Scene.keyCodeString = null
            Scene.animation_speed = 800
        }

        function make(component, properties) {
            const item = createTemporaryObject(component, window, properties || {})
            verify(item)
            return item
        }

        function spy(target, signalName) {
            return createTemporaryObject(spyComponent, testCase, { target: target, signalName: signalName })
        }

        // Arguments of emission `i` of a spy, as an array.
        function args(signalSpy, i) {
            return Array.from(signalSpy.signalArguments[i])
        }

        function child(item, name) {
            const found = findChild(item, name)
            verify(found, name)
            return found
        }

        // The click sound must already have played when the widget's signal arrives.
        function soundsAtSignal(item) {
            const seen = []
            item.clicked.connect(() => seen.push(ui_View.countOf("playMedia_Index")))
            return seen
        }

        function test_buttonClick_data() {
            return [
                { tag: "enabled", enabled: true, clicks: 1 },
                { tag: "disabled", enabled: false, clicks: 0 }
            ]
        }

        function test_buttonClick(data) {
            const button = make(buttonComponent, { enabled: data.enabled })
            const clicked = spy(button, "clicked")
            const sounds = soundsAtSignal(button)
            compare(button.width, 21)
            compare(button.opacity, data.enabled ? 1.0 : 0.2)
            mouseClick(button)
            compare(clicked.count, data.clicks)
            compare(ui_View.countOf("playMedia_Index"), data.clicks)
            if (data.enabled) {
                compare(ui_View.argsOf("playMedia_Index"), [0x04])
                compare(sounds, [1])
            }
        }

        function test_checkboxToggles() {
            const box = make(checkboxComponent)
            const clicked = spy(box, "clicked")
            const sounds = soundsAtSignal(box)
            mouseClick(box)
            compare(box.isSelect, true)
            mouseClick(box)
            compare(box.isSelect, false)
            compare(clicked.count, 2)
            compare(args(clicked, 0), [true])
            compare(args(clicked, 1), [false])
            compare(sounds, [1, 2])
            compare(ui_View.argsOf("playMedia_Index"), [0x04])
        }

        // A press inside the bar, released at x (window x = 50 + x); the index is the
        // segment the release falls in, held to the bar and to minIndex.
        function test_sliderRelease_data() {
            return [
                { tag: "seven: left end", lightSpeed: false, minIndex: 0, x: 0, index: 0 },
                { tag: "seven: first pixel", lightSpeed: false, minIndex: 0, x: 1, index: 1 },
                { tag: "seven: end of segment 1", lightSpeed: false, minIndex: 0, x: 20, index: 1 },
                { tag: "seven: start of segment 2", lightSpeed: false, minIndex: 0, x: 21, index: 2 },
                { tag: "seven: right end", lightSpeed: false, minIndex: 0, x: 140, index: 7 },
                { tag: "seven: beyond the right", lightSpeed: false, minIndex: 0, x: 300, index: 7 },
                { tag: "seven: beyond the left", lightSpeed: false, minIndex: 0, x: -40, index: 0 },
                { tag: "seven: minIndex holds", lightSpeed: false, minIndex: 1, x: 0, index: 1 },
                { tag: "four: end of segment 1", lightSpeed: true, minIndex: 0, x: 35, index: 1 },
                { tag: "four: start of segment 2", lightSpeed: true, minIndex: 0, x: 36, index: 2 },
                { tag: "four: segment 3", lightSpeed: true, minIndex: 0, x: 105, index: 3 },
                { tag: "four: segment 4", lightSpeed: true, minIndex: 0, x: 106, index: 4 },
                { tag: "four: beyond the right", lightSpeed: true, minIndex: 0, x: 300, index: 4 },
                { tag: "four: minIndex beyond the left", lightSpeed: true, minIndex: 1, x: -40, index: 1 },
                { tag: "four: minIndex below the release", lightSpeed: true, minIndex: 1, x: 80, index: 3 }
            ]
        }

        function test_sliderRelease(data) {
            const slider = make(sliderComponent, { isLight_Speed: data.lightSpeed, minIndex: data.minIndex })
            const clicked = spy(slider, "sliderClicked")
            compare(slider.currentIndex, 7)
            mousePress(slider, 70, 7)
            mouseRelease(slider, data.x, 7)
            compare(slider.currentIndex, data.index)
            compare(clicked.count, 1)
            compare(args(clicked, 0), [data.index])
            compare(child(slider, "fillers").count, data.index)
        }

        function test_sliderLightsNoMoreThanItsSegments() {
            const slider = make(sliderComponent, { isLight_Speed: true })
            compare(child(slider, "fillers").count, 4)
            slider.currentIndex = 2
            compare(child(slider, "fillers").count, 2)
        }

        // Opens the list by its field and waits for the slide to end.
        function openList(list) {
            const opened = spy(list, "listOpened")
            mouseClick(list)
            compare(opened.count, 1)
            verify(list.isOpen)
            tryCompare(child(list, "list"), "y", 0)
        }

        function rowPoint(list, row) {
            return { x: 30, y: list.height + row * 20 + 10 }
        }

        function test_dropdownChoosesEntry() {
            const list = make(dropdownComponent, { mdItems: threeItems })
            const chosen = spy(list, "listElementClicked")
            const closed = spy(list, "listClosed")
            compare(list.getCurIndex(), 0)
            compare(child(list, "fieldText").text, "ONE")
            openList(list)
            const p = rowPoint(list, 2)
            mouseClick(list, p.x, p.y)
            compare(chosen.count, 1)
            compare(args(chosen, 0), [2])
            compare(list.getCurIndex(), 2)
            compare(child(list, "fieldText").text, "THREE")
            verify(!list.isOpen)
            tryCompare(closed, "count", 1)
            // A closed list takes no clicks below its field.
            mouseClick(list, p.x, p.y)
            compare(chosen.count, 1)
        }

        function test_dropdownFollowsItsItems() {
            const items = [{ textX: "FIRST" }, { textX: "SECOND" }]
            const list = make(dropdownComponent, { mdItems: items, defaultIndex: 1 })
            compare(child(list, "fieldText").text, "SECOND")
            list.mdItems = threeItems
            threeItems.setProperty(1, "textX", "ZWEI")
            compare(child(list, "fieldText").text, "ZWEI")
            threeItems.setProperty(1, "textX", "TWO")
        }

        function test_dropdownSetCurIndex_data() {
            return [
                { tag: "in range", index: 2, current: 2, text: "THREE" },
                { tag: "none", index: -1, current: -1, text: "" },
                { tag: "past the end", index: 3, current: 0, text: "ONE" },
                { tag: "below -1", index: -2, current: 0, text: "ONE" },
                { tag: "not a number", index: undefined, current: 0, text: "ONE" }
            ]
        }

        function test_dropdownSetCurIndex(data) {
            const list = make(dropdownComponent, { mdItems: threeItems })
            list.setCurIndex(data.index)
            compare(list.getCurIndex(), data.current)
            compare(child(list, "fieldText").text, data.text)
        }

        function test_emptyDropdownOpensWithoutRows() {
            const list = make(dropdownComponent)
            const chosen = spy(list, "listElementClicked")
            compare(child(list, "fieldText").text, "")
            openList(list)
            const p = rowPoint(list, 0)
            mouseClick(list, p.x, p.y)
            compare(chosen.count, 0)
            list.closeList()
            verify(!list.isOpen)
        }

        function test_fileListButtonAsksForItemsWhenOpened() {
            const button = make(fileListButtonComponent, { mdItems: threeItems })
            const update = spy(button, "requestToUpdateList")
            const chosen = spy(button, "listElementClicked")
            compare(button.getCurIndex(), -1)
            openList(button)
            compare(update.count, 1)
            const p = rowPoint(button, 1)
            mouseClick(button, p.x, p.y)
            compare(args(chosen, 0), [1])
            compare(child(button, "fieldText").text, "TWO")
            verify(!button.isOpen)
        }

        function test_fileListClicks_data() {
            return [
                { tag: "left on row 1", button: Qt.LeftButton, y: 30, left: [1], right: [] },
                { tag: "right on row 2", button: Qt.RightButton, y: 50, left: [], right: [2] },
                { tag: "below the rows", button: Qt.LeftButton, y: 150, left: [], right: [] }
            ]
        }

        function test_fileListClicks(data) {
            const list = make(fileListComponent, { mdItems: threeItems })
            const left = spy(list, "listElementClicked")
            const right = spy(list, "listElementRightBtnClicked")
            mouseClick(list, 30, data.y, data.button)
            compare(left.count, data.left.length)
            compare(right.count, data.right.length)
            if (data.left.length)
                compare(args(left, 0), data.left)
            if (data.right.length)
                compare(args(right, 0), data.right)
        }

        // Renaming row 1 ("TWO"): type a name, then end the edit one way or another.
        // Only Return or Enter with a new, non-empty name renames.
        function test_fileListRename_data() {
            return [
                { tag: "Return", typed: "NEW", end: "key", key: Qt.Key_Return, completed: ["TWO", "NEW"], row: "NEW" },
                { tag: "Enter", typed: "NEW", end: "key", key: Qt.Key_Enter, completed: ["TWO", "NEW"], row: "NEW" },
                { tag: "Escape", typed: "NEW", end: "key", key: Qt.Key_Escape, completed: null, row: "TWO" },
                { tag: "focus lost", typed: "NEW", end: "focus", completed: null, row: "TWO" },
                { tag: "stopped", typed: "NEW", end: "stop", completed: null, row: "TWO" },
                { tag: "emptied", typed: "", end: "key", key: Qt.Key_Return, completed: null, row: "TWO" },
                { tag: "no file name characters", typed: "A/B:C", end: "key", key: Qt.Key_Return, completed: ["TWO", "ABC"], row: "ABC" }
            ]
        }

        function test_fileListRename(data) {
            const items = createTemporaryQmlObject(
                "import QtQuick; ListModel { ListElement { textX: 'ONE' } ListElement { textX: 'TWO' } }", testCase)
            const list = make(fileListComponent, { mdItems: items })
            const started = spy(list, "editFileName_start")
            const stopped = spy(list, "editFileName_stop")
            const completed = spy(list, "editFileName_completed")

            list.editFileName(1)
            compare(args(started, 0), [1])
            compare(list.editIndex, 1)
            keyClick(Qt.Key_Backspace)
            for (const c of data.typed)
                keyClick(c)
            if (data.end === "key")
                keyClick(data.key)
            else if (data.end === "focus")
                elsewhere.forceActiveFocus()
            else
                list.stopEditFileName()

            compare(list.editIndex, -1)
            compare(stopped.count, 1)
            compare(completed.count, data.completed ? 1 : 0)
            if (data.completed)
                compare(args(completed, 0), data.completed)
            compare(items.get(1).textX, data.row)
        }

        function test_fileListRenameOutOfRangeIsIgnored() {
            const list = make(fileListComponent, { mdItems: threeItems })
            const started = spy(list, "editFileName_start")
            list.editFileName(3)
            list.editFileName(-1)
            compare(started.count, 0)
            compare(list.editIndex, -1)
        }

        function test_keyInputSet_data() {
            return [
                { tag: "named", code: 4, table: "names", keycode: 4, text: "A" },
                { tag: "no name", code: 0x99, table: "names", keycode: -1, text: "【 KEYS 】" },
                { tag: "table answers null", code: 4, table: "nulls", keycode: -1, text: "【 KEYS 】" },
                { tag: "no table yet", code: 4, table: "none", keycode: -1, text: "【 KEYS 】" }
            ]
        }

        function test_keyInputSet(data) {
            if (data.table === "nulls")
                Scene.keyCodeString = { keycodeTostr: code => null }
            else if (data.table === "none")
                Scene.keyCodeString = null
            const input = make(keyInputComponent)
            input.setKeycodeUSB(4)
            input.setKeycodeUSB(data.code)
            compare(input.keycodeUSB, data.keycode)
            compare(child(input, "label").text, data.text)
        }

        function test_keyInputClickClears() {
            const input = make(keyInputComponent)
            const cleared = spy(input, "clearKey")
            input.setKeycodeUSB(0xE0)
            compare(child(input, "label").text, "L-CTRL")
            mouseMove(input, 30, 10)
            compare(child(input, "label").text, "╳")
            mouseClick(input)
            compare(input.keycodeUSB, -1)
            compare(cleared.count, 1)
            mouseMove(window, 390, 10)
            compare(child(input, "label").text, "【 KEYS 】")
        }

        function test_keyInput2CapturesWhileArmed() {
            const input = make(keyInput2Component)
            const complete = spy(input, "inputComplete")
            input.detectKeyboard(true, 4)
            compare(input.keycodeUSB, -1)
            compare(complete.count, 0)
            compare(child(input, "label").text, "KEY【 PRESS ANY 】")

            mouseClick(input)
            verify(input.isSelect)
            input.detectKeyboard(false, 5)
            verify(!input.isSelect)
            compare(input.keycodeUSB, 5)
            compare(child(input, "label").text, "KEY 【 B 】")
            compare(args(complete, 0), [5])
            input.detectKeyboard(true, 6)
            compare(input.keycodeUSB, 5)
            compare(complete.count, 1)

            // A click empties the field and arms it; a key without a name leaves it empty.
            mouseClick(input)
            compare(input.keycodeUSB, -1)
            input.detectKeyboard(true, unnamed)
            compare(input.keycodeUSB, -1)
            compare(args(complete, 1), [-1])

            // A second click disarms.
            mouseClick(input)
            mouseClick(input)
            verify(!input.isSelect)
            input.detectKeyboard(true, 4)
            compare(input.keycodeUSB, -1)
        }

        function test_comboCollectsThreeKeyDowns() {
            const combo = make(comboComponent)
            const cleared = spy(combo, "clearKey")
            const complete = spy(combo, "inputComplete")
            compare(combo.text, "【 COMBO KEYS 】")
            mouseClick(combo, 20, 10)
            compare(cleared.count, 1)
            compare(combo.text, "【 COMBO KEY 】")

            Scene.msg_KB(true, 0xE0)
            Scene.msg_KB(false, 0xE0)
            Scene.msg_KB(true, unnamed)
            compare(combo.text, "L-CTRL")
            Scene.msg_KB(true, 4)
            Scene.msg_KB(true, 5)
            Scene.msg_KB(true, 6)
            compare(combo.text, "L-CTRL+A+B")
            compare([combo.keyCount, combo.keycodeUSB0, combo.keycodeUSB1, combo.keycodeUSB2], [3, 0xE0, 4, 5])

            mouseClick(child(combo, "confirmButton"))
            compare(complete.count, 1)
            compare(args(complete, 0), [0xE0, 4, 5])
            compare(cleared.count, 1)

            // A new capture starts from nothing.
            mouseClick(combo, 20, 10)
            Scene.msg_KB(true, 7)
            compare(combo.text, "D")
            compare([combo.keyCount, combo.keycodeUSB0, combo.keycodeUSB1, combo.keycodeUSB2], [1, 7, 0, 0])
        }

        function test_comboTakesNoKeysWhileHidden() {
            const combo = make(comboComponent, { visible: false })
            Scene.msg_KB(true, 4)
            compare(combo.keyCount, 0)
            compare(combo.text, "【 COMBO KEYS 】")
        }

        function test_comboShowsCombination_data() {
            return [
                { tag: "three named", codes: [0xE0, 4, 5], text: "L-CTRL+A+B" },
                { tag: "third without a name", codes: [0xE0, 4, 0], text: "L-CTRL+A" },
                { tag: "second without a name", codes: [0xE0, 0, 5], text: "【 COMBO KEYS 】" },
                { tag: "first without a name", codes: [0x99, 4, 5], text: "【 COMBO KEYS 】" }
            ]
        }

        function test_comboShowsCombination(data) {
            const combo = make(comboComponent)
            combo.setKeycodeUSB(data.codes[0], data.codes[1], data.codes[2])
            compare(combo.text, data.text)
            compare([combo.keycodeUSB0, combo.keycodeUSB1, combo.keycodeUSB2], data.codes)
            // A shown combination is complete until a click starts a new capture.
            Scene.msg_KB(true, 7)
            compare(combo.keycodeUSB0, data.codes[0])
        }

        function test_wheelClick_data() {
            return [
                { tag: "position 1", index: 1 },
                { tag: "position 2", index: 2 },
                { tag: "position 3", index: 3 },
                { tag: "position 4", index: 4 }
            ]
        }

        function test_wheelClick(data) {
            const wheel = make(wheelComponent, { currentIndex: data.index === 1 ? 2 : 1 })
            const clicked = spy(wheel, "wheelClicked")
            mouseClick(child(wheel, "arrow" + data.index))
            compare(wheel.currentIndex, data.index)
            compare(clicked.count, 1)
            compare(args(clicked, 0), [data.index])
        }
    }
}
