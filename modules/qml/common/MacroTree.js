.pragma library

// The macro library tree as the pages read and write it.
