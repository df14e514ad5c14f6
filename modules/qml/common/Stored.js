.pragma library

// Numbers come back from the configuration and the profiles as text, and
// may be missing or damaged: then the caller's value stands.
function intOr(value, fallback) {
    var number = parseInt(value);
    return isNaN(number) ? fallback : number;
}
