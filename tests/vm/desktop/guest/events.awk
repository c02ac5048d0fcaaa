# The suite's event lines, and the judge of one action by them:
#   key down CODE SYM MODS | key up CODE SYM | button down|up CODE | motion X Y
# CODE is the evdev code (X and wl_keyboard number keys by xkb, evdev + 8, and
# X numbers its buttons); MODS are those held before the key, from a state
# in hex (busybox awk reads "0x" numbers).
#
# Fed xev's or wev's report, it writes each event line out at once for the
# walker to wait on. Given posted (the second column of `bindwellctl actions`),
#   awk -v posted="hold KEY_LEFTCTRL+KEY_C" -v server=x11 -v mid=N [-v allow=KEY_TAB] \
#       -f events.awk keycodes events
# it judges the event lines, the first N of them seen while the button was
# down, and prints the rest of the row's DESKTOP line: "received ...",
# "absent ..." or "failed ...". allow names a key that may arrive beside it.
posted != "" && FILENAME == ARGV[1] { code[$1] = $2; next }
posted != "" { all[++count] = $0; next }

function emit(line) { print line; fflush() }
function mods(state,    names) {
    names = ""
    if (int(state / 1) % 2) names = names "+Shift"
    if (int(state / 4) % 2) names = names "+Control"
    if (int(state / 8) % 2) names = names "+Alt"
    if (int(state / 64) % 2) names = names "+Super"
    return names == "" ? "-" : substr(names, 2)
}
BEGIN { depressed = "-" }

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
    emit(kind " " (f[4] - 8) " " f[7] " " (kind == "key down" ? mods(f[2] + 0) : ""))
    kind = ""
}
kind ~ /^button/ && match($0, /button [0-9]+/) {
    button = substr($0, RSTART + 7, RLENGTH - 7)
    emit(kind " " (button == 1 ? 272 : button == 2 ? 274 : button == 3 ? 273 : button + 267))
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
/wl_keyboard\]/ && !first("keyboard") { key = ""; skip = 1; next }
/wl_pointer\]/ && !first("pointer") { next }
/^\[/ { skip = 0 }
skip { next }
/wl_keyboard\] key: / {
    match($0, /key: [0-9]+; state: [0-9]/)
    split(substr($0, RSTART, RLENGTH), f, /[: ;]+/)
    key = f[2] - 8; down = f[4] == 1
    next
}
key != "" && /^ +sym: / {
    emit((down ? "key down " : "key up ") key " " $2 " " (down ? depressed : ""))
    key = ""
    next
}
/^ +depressed: / { depressed = mods(("0x" substr($2, 1, 8)) + 0) }
/wl_pointer\] button: / && match($0, /button: [0-9]+ \([^)]*\), state: [0-9]/) {
    split(substr($0, RSTART, RLENGTH), f, /[: ,()]+/)
    emit((f[5] == 1 ? "button down " : "button up ") f[2])
}
/wl_pointer\] motion: / && match($0, /x, y: [-0-9.]+, [-0-9.]+/) {
    split(substr($0, RSTART + 6, RLENGTH - 6), at, ", ")
    emit("motion " int(at[1]) " " int(at[2]))
}

# The judge.
function has(pattern, upto,    i) {
    for (i = 1; i <= upto; i++) if (all[i] ~ pattern) return 1
    return 0
}
function keyResult(    i, f, downs, ups, want, got, sym, other, last) {
    want = code[key]
    for (i = 1; i <= count; i++) {
        split(all[i], f, " ")
        if (f[1] != "key") continue
        if (f[2] == "down") { downs[f[3]]++; if (f[3] == want && got == "") { got = f[5]; sym = f[4] } }
        if (f[2] == "down" && f[3] != want && f[3] != code[allow] && f[4] !~ /^(Control|Shift|Alt|Super|Meta|Hyper)_/ && other == "") other = f[4] " with " f[5]
        if (f[2] == "up") ups[f[3]]++
        if (i <= mid && f[3] == want) last = f[2]
    }
    if (got == "") {
        if (server == "x11" && want + 8 > 255 && count == 0)
            return "absent (X11 keycodes stop at 255 and this one is " want + 8 "; nothing else arrived)"
        return "failed expected " key (wantMods == "-" ? "" : " with " wantMods) ", " \
            (other != "" ? "got " other : count ? "got only " all[1] : "nothing arrived")
    }
    if (sym == "NoSymbol") return "failed keycode " want + 8 " arrived without a keysym"
    if (other != "") return "failed " other " arrived too"
    if (has("^button", count)) return "failed a mouse button reached the client"
    if (got != wantMods) return "failed " sym " arrived with " got ", expected " wantMods
    for (i in downs) if (downs[i] != ups[i]) return "failed key " i " left down after release"
    # X11 repeats a held key as releases and presses; held means it was down last.
    if (held && last != "down") return "failed " sym " was not held while the button was down"
    return "received " sym (got == "-" ? "" : " with " got) (held ? ", held until release" : "")
}
function buttonResult(    line) {
    line = "^button %s " code[key] "$"
    if (!has(sprintf(line, "down"), mid)) return "failed no " key " press at button-down"
    if (has(sprintf(line, "up"), mid)) return "failed " key " released before button-up"
    if (!has(sprintf(line, "up"), count)) return "failed " key " still down after button-up"
    return "received " key " press at button-down and release at button-up"
}
END {
    if (posted == "") exit
    held = sub(/^hold /, "", posted)
    n = split(posted, keys, "+")
    key = keys[n]
    for (i = 1; i < n; i++)
        state += keys[i] ~ /SHIFT$/ ? 1 : keys[i] ~ /CTRL$/ ? 4 : keys[i] ~ /ALT$/ ? 8 : keys[i] ~ /META$/ ? 64 : 0
    wantMods = mods(state)
    if (!(key in code)) print "failed no evdev code for " key
    else print (key ~ /^BTN_/ ? buttonResult() : keyResult())
}
