# xev's or wev's report, as the suite's event lines (see judge.awk), each
# written out at once for the walker to wait on:
#   key down CODE SYM MODS | key up CODE SYM | button down|up N | motion X Y
# CODE is the evdev code (X keycodes and wl_keyboard's are xkb's, evdev + 8);
# MODS are those held before the key.
function emit(line) { print line; fflush() }
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
function button(number) { return number == 272 ? 1 : number == 273 ? 3 : number == 274 ? 2 : number - 267 }
BEGIN { held = "-" }

# xev: an event's name, then its details on the lines below.
/^KeyPress event/ { kind = "key down"; next }
/^KeyRelease event/ { kind = "key up"; next }
/^ButtonPress event/ { kind = "button down"; next }
/^ButtonRelease event/ { kind = "button up"; next }
/^MotionNotify event/ { kind = "motion"; next }
/^[A-Za-z]/ { kind = ""; next }
kind == "motion" && match($0, /root:\([-0-9]+,[-0-9]+\)/) {
    split(substr($0, RSTART + 6, RLENGTH - 7), at, ",")
    emit("motion " at[1] " " at[2])
    kind = ""
}
kind ~ /^key/ && match($0, /state 0x[0-9a-f]+, keycode [0-9]+ \(keysym 0x[0-9a-f]+, [^)]*\)/) {
    split(substr($0, RSTART, RLENGTH), f, /[ ,()]+/)
    emit(kind " " (f[4] - 8) " " f[7] " " (kind == "key down" ? mods(hex(substr(f[2], 3))) : ""))
    kind = ""
}
kind ~ /^button/ && match($0, /button [0-9]+/) {
    emit(kind " " substr($0, RSTART + 7, RLENGTH - 7))
    kind = ""
}

# wev: modifiers arrive in their own event before the key they apply to. wev
# asks for a new keyboard and pointer each time the seat's capabilities
# change (as when Bindwell's devices appear), so only the first object of
# each kind is read: the others repeat it.
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
    emit((down ? "key down " : "key up ") code " " $2 " " (down ? held : ""))
    code = ""
    next
}
/^ +depressed: / { held = mods(hex(substr($2, 1, 8))) }
/wl_pointer\] button: / && match($0, /button: [0-9]+ \([^)]*\), state: [0-9]/) {
    split(substr($0, RSTART, RLENGTH), f, /[: ,()]+/)
    emit((f[5] == 1 ? "button down " : "button up ") button(f[2]))
}
/wl_pointer\] motion: / && match($0, /x, y: [-0-9.]+, [-0-9.]+/) {
    split(substr($0, RSTART + 6, RLENGTH - 6), at, ", ")
    emit("motion " int(at[1]) " " int(at[2]))
}
