# wev's report, as the suite's event lines (see judge.awk). wl_keyboard's key
# numbers are xkb keycodes (evdev + 8); modifiers arrive in their own event
# before the key they apply to. wev asks for a new keyboard and pointer each
# time the seat's capabilities change (as when Bindwell's devices appear), so
# only the first object of each kind is read: the others repeat it.
function hex(text,    i, value) {
    value = 0
    text = tolower(text)
    for (i = 1; i <= length(text); i++) value = value * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
    return value
}
function mods(state,    names) {
    names = ""
    if (int(state / 1) % 2) names = names "+Shift"
    if (int(state / 4) % 2) names = names "+Control"
    if (int(state / 8) % 2) names = names "+Alt"
    if (int(state / 64) % 2) names = names "+Super"
    return names == "" ? "-" : substr(names, 2)
}
BEGIN { held = "-" }
function first(kind,    id) {
    id = substr($0, 2, index($0, ":") - 2) + 0
    if (!(kind in owner)) owner[kind] = id
    return owner[kind] == id
}
/wl_keyboard\]/ && !first("keyboard") { code = ""; skip = 1; next }
/wl_pointer\]/ && !first("pointer") { next }
/^\[/ { skip = 0 }
skip { next }
/wl_keyboard\] key: / {
    match($0, /key: [0-9]+; state: [0-9]/)
    split(substr($0, RSTART, RLENGTH), f, /[: ;]+/)
    code = f[2] - 8; down = f[4] == 1
    next
}
code != "" && /^ +sym: / {
    print (down ? "key down" : "key up"), code, $2, (down ? held : "")
    code = ""
    next
}
/^ +depressed: / { held = mods(hex(substr($2, 1, 8))) }
/wl_pointer\] button: / && match($0, /button: [0-9]+ \([^)]*\), state: [0-9]/) {
    split(substr($0, RSTART, RLENGTH), f, /[: ,()]+/)
    number = f[2] == 272 ? 1 : f[2] == 273 ? 3 : f[2] == 274 ? 2 : f[2] - 267
    print (f[5] == 1 ? "button down" : "button up"), number
}
/wl_pointer\] motion: / && match($0, /x, y: [-0-9.]+, [-0-9.]+/) {
    split(substr($0, RSTART + 6, RLENGTH - 6), at, ", ")
    print "motion", int(at[1]), int(at[2])
}
