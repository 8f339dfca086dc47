import QtQuick

// Key names and key codes both ways, the layout's default codes of the matrix positions,
// and the mouse buttons. A name or code without an entry gives undefined.
QtObject {
    id: keyCodes

    property var nameToCode: ({})
    property var codeToName: ({})
    property var matrixToCode: ({})
    property var codeToMatrix: ({})
    readonly property var mouseNameToCode: ({ "MS-L": 0xF0, "MS-R": 0xF1, "MS-M": 0xF2, "MS-B4": 0xF3, "MS-B5": 0xF4 })
    readonly property var mouseCodeToName: ({ 240: "MS-L", 241: "MS-R", 242: "MS-M", 243: "MS-B4", 244: "MS-B5" })

    // The hardware definition list: key count, matrix count, then per key x, y, key type,
    // name, matrix position and default code.
    readonly property int keysStart: 2
    readonly property int keyEntries: 6
    readonly property int matrixEntry: 4
    readonly property int codeEntry: 5

    function initUI(hwDef, usbStr, usbCode) {
        const names = {}
        const codes = {}
        const count = Math.min(usbStr.length, usbCode.length)
        for (let i = 0; i < count; ++i) {
            const code = Number(usbCode[i])
            names[usbStr[i]] = code
            codes[code] = usbStr[i]
        }
        nameToCode = names
        codeToName = codes

        const fromMatrix = {}
        const toMatrix = {}
        const keys = Math.max(0, Number(hwDef[0]) || 0)
        for (let k = 0; k < keys; ++k) {
            const at = keysStart + k * keyEntries
            if (at + codeEntry >= hwDef.length)
                break
            const matrix = Number(hwDef[at + matrixEntry])
            const code = Number(hwDef[at + codeEntry])
            fromMatrix[matrix] = code
            toMatrix[code] = matrix
        }
        matrixToCode = fromMatrix
        codeToMatrix = toMatrix
    }

    function strTokeycode(name) { return nameToCode[name] }
    function keycodeTostr(code) { return codeToName[code] }
    function matrixTokeycode(matrix) { return matrixToCode[matrix] }
    function keycodeTomatrix(code) { return codeToMatrix[code] }
    function strTomousecode(name) { return mouseNameToCode[name] }
    function mousecodeTostr(code) { return mouseCodeToName[code] }

    // Position (1 ... 8) of the lowest set bit of b; 0 when b is 0.
    function logByte(b) {
        for (let bit = 0; bit < 8; ++bit) {
            if (b & (1 << bit))
                return bit + 1
        }
        return 0
    }
}
