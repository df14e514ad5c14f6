.pragma library

// The host profiles as name.bin keeps them: one list whose entries are the
// display name with the profile's file number (one digit) appended. The panel
// works on plain entries { textValue, profileNo } in list order.

var maxProfiles = 6;
// New names are "profile_" + the first free number below this.
var nameNumbers = 12;

// Entries of the stored list, read without its placeholder. An entry
// whose last character is not a digit 0..5, or whose number an earlier entry
// already has, names no file we could switch to and is dropped.
function parseStored(stored) {
    var texts = [];
    for (var i = 0; stored && i < stored.length; ++i)
        texts.push(String(stored[i]));
    var entries = [];
    for (var j = 0; j < texts.length && entries.length < maxProfiles; ++j) {
        var digit = texts[j].slice(-1);
        if (!/^[0-5]$/.test(digit))
            continue;
        var number = Number(digit);
        if (indexOfNumber(entries, number) >= 0)
            continue;
        entries.push({ textValue: texts[j].slice(0, -1), profileNo: number });
    }
    return entries;
}

function storedList(entries) {
    return entries.map(function(e) { return String(e.textValue) + e.profileNo; });
}

function indexOfNumber(entries, number) {
    for (var i = 0; i < entries.length; ++i) {
        if (entries[i].profileNo === number)
            return i;
    }
    return -1;
}

// Whether another entry than `except` already shows `name`.
function nameTaken(entries, name, except) {
    for (var i = 0; i < entries.length; ++i) {
        if (i !== except && entries[i].textValue === name)
            return true;
    }
    return false;
}

function firstFreeName(entries) {
    for (var n = 0; n < nameNumbers; ++n) {
        if (!nameTaken(entries, "profile_" + n, -1))
            return "profile_" + n;
    }
    return "";
}

// -1 once every profile file is in use.
function firstFreeNumber(entries) {
    for (var n = 0; n < maxProfiles; ++n) {
        if (indexOfNumber(entries, n) < 0)
            return n;
    }
    return -1;
}

// Only files the user created may go: never the first entry, never the one in use.
function canDelete(entries, index, inUse) {
    return index > 0 && index < entries.length && entries[index].profileNo !== inUse;
}
