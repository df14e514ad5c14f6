.pragma library
.import "Stored.js" as Stored

// Rules of the lighting page: which effect sits where in the list, what each
// effect lets the user set, and how presets are kept in the profile.

var maxPresets = 4;
var blockCount = 15;

// Effect code 4 is not offered, so the list skips it.
function effectCode(position) {
    var p = Math.max(0, Math.min(5, Math.floor(Number(position) || 0)));
    return p < 4 ? p : p + 1;
}

function effectPosition(code) {
    var c = parseInt(code);
    if (isNaN(c) || c < 0)
        return 0;
    return Math.min(5, c < 4 ? c : c - 1);
}

// Language positions of the list's labels, in list order.
var effectLabels = [1, 2, 3, 17, 18, 4];

// Which of speed, brightness and direction the effect at a list position uses.
function controls(position) {
    var table = [
        { speed: false, brightness: true, direction: false },
        { speed: true, brightness: true, direction: false },
        { speed: true, brightness: true, direction: false },
        { speed: true, brightness: true, direction: true },
        { speed: true, brightness: true, direction: true },
        { speed: false, brightness: false, direction: false }
    ];
    return table[Math.max(0, Math.min(5, position))];
}

// Preset 0 has the bare key, the others carry their number.
function presetKey(base, preset) {
    return "mouseLight/" + base + (preset > 0 ? String(preset) : "");
}

function defaultName(number) {
    return "BACKLIGHT " + number;
}

// The first "BACKLIGHT n" (n from 1 to 4) no preset is called yet.
function freeName(names) {
    for (var n = 1; n <= maxPresets; ++n) {
        if (names.indexOf(defaultName(n)) < 0)
            return defaultName(n);
    }
    return defaultName(names.length + 1);
}

function clampInt(value, low, high, fallback) {
    return Math.max(low, Math.min(high, Stored.intOr(value, fallback)));
}
