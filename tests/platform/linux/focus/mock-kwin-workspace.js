// The mock KWin's side of the script's world: `workspace` and `callDBus` as
// Plasma 5 (plasma5 true) or 6 shows them, and play() for the table's steps.
// `bridge`, `plasma5` and `service` come from MockKWin.cpp.
function Signal() { this.slots = []; }
Signal.prototype.connect = function (f) { this.slots.push(f); };
Signal.prototype.disconnect = function (f) { this.slots = this.slots.filter(s => s !== f); };
Signal.prototype.emit = function (w) { this.slots.forEach(f => f(w)); };
var workspace = {};
function callDBus() { bridge.call(Array.prototype.slice.call(arguments), false); }
function makeWindow(fields) {
    return { resourceClass: plasma5 ? bridge.bytes(fields[0]) : fields[0],
             desktopFileName: fields[1], caption: fields[2], captionChanged: new Signal() };
}
var activated = new Signal();
if (plasma5) { workspace.clientActivated = activated; workspace.activeClient = null; }
else { workspace.windowActivated = activated; workspace.activeWindow = null; }
var active = null;
function setActive(w) {
    active = w;
    if (plasma5) workspace.activeClient = w; else workspace.activeWindow = w;
}
function play(row) {
    var columns = row.split("|");
    var action = columns[0].trim();
    var fields = (columns[1] || "").split(",").map(function (f) { return f.trim(); });
    if (action === "initial") { setActive(makeWindow(fields)); }
    else if (action === "activate") {
        // As KWin does: "no window" first, then the window.
        setActive(null);
        activated.emit(null);
        setActive(makeWindow(fields));
        activated.emit(active);
    }
    else if (action === "close") {
        // KWin deletes a closed window's object: touching its signals throws.
        active.captionChanged.disconnect = function () { throw new TypeError("deleted"); };
        setActive(makeWindow(fields));
        activated.emit(active);
    }
    else if (action === "none") { setActive(null); activated.emit(null); }
    else if (action === "caption") { active.caption = fields[0]; active.captionChanged.emit(); }
    else if (action === "spoof") { bridge.call([service, "/org/bindwell/Focus",
        "org.bindwell.Focus", "FocusChanged"].concat(fields), true); }
}
