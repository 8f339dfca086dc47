.pragma library

// The scene's strings until a language is loaded: entry 0 is the font family, entry k
// is string number k of the language files.
const table = [
    "Arial", // 0
    "OPTIONS", // 1
    "LOOP", // 2
    "SPEED", // 3
    "BRIGHTNESS", // 4
    "DIRECTION", // 5
    "PAINTING", // 6
    "EFFECTS", // 7
    "USER DEFINE 1", // 8
    "USER DEFINE 2", // 9
    "USER DEFINE 3", // 10
    "USER DEFINE 4", // 11
    "USER DEFINE 5", // 12
    "STATIC", // 13
    "BREATHING", // 14
    "WAVE", // 15
    "INDUCTION DARKEN", // 16
    "MARQUEE", // 17
    "RIPPLE", // 18
    "INDUCTION BRIGHTEN", // 19
    "NEON", // 20
    "MARQUEE COLORFUL", // 21
    "RAINING", // 22
    "MARQUEE CIRCLE", // 23
    "SPOTLIGHT", // 24
    "ROTATION", // 25
    "SKIN", // 26
    "SOUND", // 27
    "ANIMATED", // 28
    "LANGUAGE", // 29
    "BACKGROUND", // 30
    "ON", // 31
    "OFF", // 32
    "TEXT", // 33
    "SIZE", // 34
    "COLOR", // 35
    "BRIGHTNESS", // 36
    "NORMAL", // 37
    "LARGER", // 38
    "SKIN 1", // 39
    "SKIN 2", // 40
    "SKIN 3", // 41
    "SKIN 4", // 42
    "SKIN 5", // 43
    "MACRO", // 44
    "ACTION", // 45
    "KEYBOARD", // 46
    "MOUSE", // 47
    "MEDIA", // 48
    "COMBO KEY", // 49
    "MACRO", // 50
    "LEFT", // 51
    "RIGHT", // 52
    "MIDDLE", // 53
    "B4", // 54
    "B5", // 55
    "NEXT TRACK", // 56
    "PREVIOUS TRACK", // 57
    "STOP", // 58
    "PLAY / PAUSE", // 59
    "MUTE", // 60
    "VOLUME UP", // 61
    "VOLUME DOWN", // 62
    "MEDIA SELECT", // 63
    "MAIL", // 64
    "CALCULATOR", // 65
    "MY COMPUTER", // 66
    "WWW SEARCH", // 67
    "WWW HOME", // 68
    "WWW BACK", // 69
    "WWW FORWARD", // 70
    "WWW STOP", // 71
    "WWW REFRESH", // 72
    "WWW FAVORITES", // 73
    "KEY", // 74
    "MACRO", // 75
    "COLOR", // 76
    "RESET", // 77
    "CANCEL", // 78
    "GAMING MODE", // 79
    "DELETE", // 80
    "CUT", // 81
    "PASTE", // 82
    "COPY", // 83
    "LOAD", // 84
    "SAVE", // 85
    "SENSOR", // 86
    "LED POWER ON", // 87
    "TWINKLING", // 88
    "GLIDING", // 89
    "FINGER MOVING", // 90
    "VERTICAL FLIPPING", // 91
    "YO-YO", // 92
    "FIRE KEY", // 93
    "TRIPLE CLICK", // 94
    "DPI SWITCH", // 95
    "NORMAL PLAY", // 96
    "TIMES", // 97
    "ALWAYS REPEAT", // 98
    "REPEAT ON PRESSED", // 99
    "POLLING RATE", // 100
    "CURSOR SPEED", // 101
    "VERTICAL SCROLL SPEED", // 102
    "DOUBLE CLICK SPEED", // 103
    "DPI LEVEL", // 104
    "DPI INDICATOR LED", // 105
    "DEFAULT", // 106
    "APPLY", // 107
    "SCROLL SWAP", // 108
    "SCROLL UP", // 109
    "SCROLL DOWN", // 110
    "LED CONTROL", // 111
    "RENAME", // 112
    "ALL RESET", // 113
    "ALL SAVE" // 114
]
