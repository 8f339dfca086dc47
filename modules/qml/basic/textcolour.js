.pragma library

// The arithmetic behind the text colour of the global settings: the colour strip and
// the brightness steps.

// The strip passes black, red, yellow, green, cyan, blue, magenta, white and black at
// every eighth of its length.
const SECTION = 0.125
// Brightness steps 0 … 7 give the values 45 … 255.
const BRIGHTNESS_MIN = 45
const BRIGHTNESS_MAX = 255
const BRIGHTNESS_STEPS = 7

// [red, green, blue] at pixel p (0 … length − 1) along a strip `length` pixels long.
function stripColour(p, length) {
    const rate = p / (length - 1) / SECTION
    const level = Math.floor(rate)
    const n = Math.round(255 * (rate - level))
    switch (level) {
    case 0: return [n, 0, 0]
    case 1: return [255, n, 0]
    case 2: return [255 - n, 255, 0]
    case 3: return [0, 255, n]
    case 4: return [0, 255 - n, 255]
    case 5: return [n, 0, 255]
    case 6: return [255, n, 255]
    case 7: return [255 - n, 255 - n, 255 - n]
    default: return [0, 0, 0] // the end of the strip, and anything before its start
    }
}

// Brightness value (45 … 255) of slider step 0 … 7; the text colour's alpha is value / 255.
function brightnessValue(step) {
    return BRIGHTNESS_MIN + step * (BRIGHTNESS_MAX - BRIGHTNESS_MIN) / BRIGHTNESS_STEPS
}
