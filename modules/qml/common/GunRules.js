.pragma library

// The gun editor's small rules: where the recoil dot and the period knob sit
// for a value and back, the slot choice as the configuration returns it, and
// which names a gun may take.

var gunCount = 6;
var slotCount = 3;

// The dot's top edge travels from the target's centre (value 0) 94 pixels
// down (value 64).
var dotTop = 89;
var dotTravel = 94;
var maxY = 64;

// Periods the knob covers; the knob's range is the slider's width less 18.
var minPeriod = 5;
var periodSpan = 86;

function clamp(value, low, high) {
    return Math.max(low, Math.min(high, value));
}

function clampDot(dotY) {
    return clamp(dotY, dotTop, dotTop + dotTravel);
}

// The value at a dot position, floored, so that every value's own dot
// position reads back as that value.
function yFromDot(dotY) {
    return Math.floor((clampDot(dotY) - dotTop) / dotTravel * maxY);
}

function dotFromY(y) {
    var value = parseInt(y);
    return dotTop + clamp(isNaN(value) ? 0 : value, 0, maxY) / maxY * dotTravel;
}

function periodRatio(period) {
    var value = parseInt(period);
    return clamp(((isNaN(value) ? minPeriod : value) - minPeriod) / periodSpan, 0, 1);
}

// The inverse of SliderButton.setRatioValue, which puts the knob at the whole
// part of (width - 18) * ratio plus 4; rounding makes every period come back
// from its own knob position.
function periodFromKnob(knobX, sliderWidth) {
    var ratio = clamp((knobX - 4) / (sliderWidth - 18), 0, 1);
    return minPeriod + Math.round(ratio * periodSpan);
}

// "mouse/selectGun" comes back as text, a one-element list as a plain text,
// and nothing at all before the first save; a slot without a usable gun
// keeps its own number.
function selection(stored) {
    var list = stored === undefined || stored === null ? []
             : (typeof stored === "string" || typeof stored === "number") ? [stored] : stored;
    var out = [];
    for (var slot = 0; slot < slotCount; ++slot) {
        var gun = slot < list.length ? parseInt(list[slot]) : NaN;
        out.push(isNaN(gun) || gun < 0 || gun >= gunCount ? slot : gun);
    }
    return out;
}

// A new name is taken when it is empty or any gun already has it.
function nameTaken(names, name) {
    if (name.length === 0)
        return true;
    for (var i = 0; i < names.length; ++i) {
        if (names[i] === name)
            return true;
    }
    return false;
}
