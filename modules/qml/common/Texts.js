.pragma library

// A page's text from its language list: the language files may lack an
// entry, and then the page shows the fallback (or nothing) rather than
// "undefined".
function label(list, index, fallback) {
    return list && list[index] ? String(list[index]) : (fallback === undefined ? "" : fallback);
}

// Every text of a page, the English one wherever the language list lacks it.
function shown(list, english) {
    return english.map(function (text, index) { return label(list, index, text); });
}
