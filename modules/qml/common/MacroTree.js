.pragma library

// The macro library tree as the pages read and write it. The store keeps one
// container (ten parallel lists) per folder in name.bin; the pages work on a
// flat, pre-ordered array of entries and address one through the store's
// selected folder names and level.

var maxLevel = 5;

// Folders show their icon a little further out than macros; both step in by depth.
function marginFor(level, macroType) {
    return 20 + 20 * level + (macroType === 1 ? 10 : 0);
}

function selectPath(view, path, level) {
    view.setMacroSelectName(path[0] || "", path[1] || "", path[2] || "", path[3] || "",
                            path[4] || "");
    view.setMacroLevel(level);
}

function appendContainer(view, readList, out, names, types, shows, margins, path, nos) {
    var level = path.length;
    for (var i = 0; i < names.length; ++i) {
        var macroType = types[i] === "1" ? 1 : 0;
        var no = nos.slice();
        var entry = {
            textValue: names[i],
            macroType: macroType,
            level: level,
            path: path,
            showImg: shows[i] !== undefined ? shows[i] === "true" : macroType === 1,
            txtMargin: margins[i] !== undefined && !isNaN(parseInt(margins[i]))
                       ? parseInt(margins[i]) : marginFor(level, macroType),
            no: no
        };
        out.push(entry);
        if (macroType !== 1 || level >= maxLevel)
            continue;
        // The children's group is the folder's ancestors followed by its own name,
        // read at the children's level.
        selectPath(view, path, level + 1);
        var childNames = readList(view.getMacroSubList_Att(4, names[i]));
        if (childNames.length === 0)
            continue;
        var childTypes = readList(view.getMacroSubList_Att(0, names[i]));
        var childShows = readList(view.getMacroSubList_Att(1, names[i]));
        var childMargins = readList(view.getMacroSubList_Att(2, names[i]));
        var childNos = nos.slice();
        childNos[level] = i;
        appendContainer(view, readList, out, childNames, childTypes, childShows, childMargins,
                        path.concat([names[i]]), childNos);
    }
}

// Flat array in display (pre-order) order of
// { textValue, macroType, level, path, showImg, txtMargin, no: [no0..no4] }.
// Depth, path and ancestor positions come from the walk itself, so an entry can
// always be addressed even when its stored attribute lists are short.
// Before the native view is attached (or in a scene without one) the
// library is empty.
// readList reads a stored list as name.bin keeps it (SceneLogic.storedList):
// the one reader of its placeholder.
function readTree(view, readList) {
    var out = [];
    if (!view)
        return out;
    var names = readList(view.getNameList(0));
    if (names.length === 0)
        return out;
    appendContainer(view, readList, out, names, readList(view.getMacroList_Att(0)),
                    readList(view.getMacroList_Att(1)), readList(view.getMacroList_Att(2)),
                    [], [-1, -1, -1, -1, -1]);
    return out;
}

// After this, loadMacroIni(entry.level, entry.textValue) and the other slots
// taking a level and a name address the entry.
function selectEntry(view, entry) {
    selectPath(view, entry.path, entry.level);
}

function clampRepeat(value) {
    var repeat = parseInt(value);
    if (isNaN(repeat) || repeat < 1)
        return 1;
    return Math.min(repeat, 65535);
}

// { lines: [action lines], repeat }; a missing file reads as an empty macro.
function loadMacro(view, entry) {
    selectEntry(view, entry);
    var stored = plainStrings(view.loadMacroIni(entry.level, entry.textValue));
    if (stored.length === 0)
        return { lines: [], repeat: 1 };
    var repeat = clampRepeat(stored.pop());
    return { lines: stored, repeat: repeat };
}

function plainStrings(value) {
    var out = [];
    if (!value)
        return out;
    for (var i = 0; i < value.length; ++i)
        out.push(String(value[i]));
    return out;
}

// ---- editing the in-memory tree ----

// Index just past the entry's subtree (its descendants follow it directly).
function subtreeEnd(tree, index) {
    var end = index + 1;
    while (end < tree.length && tree[end].level > tree[index].level)
        ++end;
    return end;
}

// Indices of the entries directly inside the folder at parentIndex (-1: the root).
function childIndices(tree, parentIndex) {
    var out = [];
    var level = parentIndex < 0 ? 0 : tree[parentIndex].level + 1;
    var end = parentIndex < 0 ? tree.length : subtreeEnd(tree, parentIndex);
    for (var i = parentIndex + 1; i < end; ++i) {
        if (tree[i].level === level)
            out.push(i);
    }
    return out;
}

// The folder holding the entry, -1 for the root.
function parentIndex(tree, index) {
    for (var i = index - 1; i >= 0; --i) {
        if (tree[i].level < tree[index].level)
            return i;
    }
    return -1;
}

function nameTaken(tree, parent, name) {
    var children = childIndices(tree, parent);
    for (var i = 0; i < children.length; ++i) {
        if (tree[children[i]].textValue === name)
            return true;
    }
    return false;
}

// Recomputes path, ancestor positions and margins from the order and levels
// alone, so inserting, removing or renaming needs no other bookkeeping.
function normalize(tree) {
    var names = [];
    var positions = [];
    var counts = [0, 0, 0, 0, 0, 0, 0];
    for (var i = 0; i < tree.length; ++i) {
        var e = tree[i];
        var level = e.level;
        names.length = level;
        positions.length = level;
        for (var k = level + 1; k < counts.length; ++k)
            counts[k] = 0;
        var no = [-1, -1, -1, -1, -1];
        for (var a = 0; a < level && a < 5; ++a)
            no[a] = positions[a];
        e.path = names.slice();
        e.no = no;
        e.showImg = e.macroType === 1;
        e.txtMargin = marginFor(level, e.macroType);
        positions.push(counts[level]++);
        names.push(e.textValue);
    }
    return tree;
}

function makeEntry(name, macroType, level) {
    return { textValue: name, macroType: macroType, level: level, path: [], showImg: macroType === 1,
             txtMargin: marginFor(level, macroType), no: [-1, -1, -1, -1, -1] };
}

// The ten lists of one container, as the store writes them.
function containerLists(tree, parent) {
    var lists = [[], [], [], [], [], [], [], [], [], []];
    var children = childIndices(tree, parent);
    for (var i = 0; i < children.length; ++i) {
        var e = tree[children[i]];
        lists[0].push(e.textValue);
        lists[1].push(String(e.macroType));
        lists[2].push(e.showImg ? "true" : "false");
        lists[3].push(String(e.txtMargin));
        lists[4].push(String(e.level));
        for (var k = 0; k < 5; ++k)
            lists[5 + k].push(String(e.no[k]));
    }
    return lists;
}

// Rewrites one container's lists. With att 0 the store also clears the group
// that a folder called `name` inside this container would have (nothing at the
// root), so a new or removed entry leaves no stale lists behind.
function writeContainer(view, tree, parent, att, name) {
    var path = parent < 0 ? [] : tree[parent].path.concat([tree[parent].textValue]);
    var level = path.length;
    selectPath(view, path, level);
    // The store clears s1..s(L-1) + currentName; prefixing the container's own
    // name makes that the group of `name` inside this container.
    var current = level > 0 ? path[level - 1] + (name || "") : (name || "");
    var l = containerLists(tree, parent);
    view.updataMacroList(att, level, current, l[0], l[1], l[2], l[3], l[4], l[5], l[6], l[7],
                         l[8], l[9]);
}

// Rewrites the containers of the folder at index and of every folder below it.
function writeSubtree(view, tree, index) {
    var end = subtreeEnd(tree, index);
    for (var i = index; i < end; ++i) {
        if (tree[i].macroType === 1)
            writeContainer(view, tree, i, 1, "");
    }
}

// The top-level folder an entry lies in (or is), -1 for a macro at the root.
function topFolder(tree, index) {
    for (var i = index; i >= 0; --i) {
        if (tree[i].level === 0)
            return tree[i].macroType === 1 ? i : -1;
    }
    return -1;
}

// Names of the macros removed with the entry: itself or everything below it.
function macrosIn(tree, index) {
    var out = [];
    var end = subtreeEnd(tree, index);
    for (var i = index; i < end; ++i) {
        if (tree[i].macroType === 0)
            out.push(tree[i].textValue);
    }
    return out;
}

// ---- reading folders back from disk (batch import) ----

// Entries below the folder `name` at `path`, pre-ordered, from the depth-1
// lists of the last walk. The walk's lists hold names per depth without their
// folders, so each folder is walked on its own to keep every name where it is.
function entriesBelow(view, path, name, walked) {
    var level = path.length + 1;
    if (!walked) {
        selectPath(view, path, path.length);
        view.searchMacroFile_sub_batch(name, path.length, maxLevel);
    }
    var macros = plainStrings(view.getMacroFileName_batch(1, 0));
    var folders = level < maxLevel ? plainStrings(view.getMacroFileName_batch(1, 1)) : [];
    var out = [];
    for (var i = 0; i < macros.length; ++i)
        out.push(makeEntry(macros[i], 0, level));
    for (var j = 0; j < folders.length; ++j) {
        out.push(makeEntry(folders[j], 1, level));
        out = out.concat(entriesBelow(view, path.concat([name]), folders[j], false));
    }
    return out;
}
