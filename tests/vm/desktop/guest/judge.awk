# Judges one action from what the focused client received, and prints the
# rest of its DESKTOP line: "received ...", "absent ..." or "failed ...".
#   awk -v posted="hold KEY_LEFTCTRL+KEY_C" -v server=x11 [-v allow=KEY_TAB] -f judge.awk keycodes mid all
# posted is the row's second column of `bindwellctl actions`; allow names a key that
# may arrive beside it (another unit's, pressed at once); mid holds the
# events seen while the button was down, all those seen until after release:
#   key down CODE SYM MODS | key up CODE SYM | button down|up N | motion X Y
FILENAME == ARGV[1] { code[$1] = $2; next }
FILENAME == ARGV[2] { mid[++midCount] = $0; next }
{ all[++allCount] = $0 }

function modName(key) {
    if (key ~ /CTRL$/) return "Control"
    if (key ~ /SHIFT$/) return "Shift"
    if (key ~ /ALT$/) return "Alt"
    if (key ~ /META$/) return "Super"
    return ""
}
# Modifier names in the order the event readers print them.
function canonical(list,    order, i, out) {
    split("Shift Control Alt Super", order, " ")
    out = ""
    for (i = 1; i <= 4; i++) if (index("+" list "+", "+" order[i] "+")) out = out "+" order[i]
    return out == "" ? "-" : substr(out, 2)
}
function has(lines, count, pattern,    i) {
    for (i = 1; i <= count; i++) if (lines[i] ~ pattern) return 1
    return 0
}
# Whether the last line matching PATTERN also matches WANTED.
function last(lines, count, pattern, wanted,    i, found) {
    for (i = 1; i <= count; i++) if (lines[i] ~ pattern) found = lines[i]
    return found ~ wanted
}
function keyResult(    i, f, downs, ups, want, got, sym, other) {
    want = code[key]
    for (i = 1; i <= allCount; i++) {
        split(all[i], f, " ")
        if (f[1] != "key") continue
        if (f[2] == "down") { downs[f[3]]++; if (f[3] == want && got == "") { got = f[5]; sym = f[4] } }
        if (f[2] == "down" && f[3] != want && f[3] != code[allow] && f[4] !~ /^(Control|Shift|Alt|Super|Meta|Hyper)_/ && other == "") other = f[4] " with " f[5]
        if (f[2] == "up") ups[f[3]]++
    }
    if (got == "") {
        if (server == "x11" && want + 8 > 255 && allCount == 0)
            return "absent (X11 keycodes stop at 255 and this one is " want + 8 "; nothing else arrived)"
        return "failed expected " key (wantMods == "-" ? "" : " with " wantMods) ", " \
            (other != "" ? "got " other : allCount ? "got only " all[1] : "nothing arrived")
    }
    if (sym == "NoSymbol") return "failed keycode " want + 8 " arrived without a keysym"
    if (other != "") return "failed " other " arrived too"
    if (has(all, allCount, "^button")) return "failed a mouse button reached the client"
    if (got != wantMods) return "failed " sym " arrived with " got ", expected " wantMods
    for (i in downs) if (downs[i] != ups[i]) return "failed key " i " left down after release"
    # X11 repeats a held key as releases and presses; held means it was down last.
    if (held && !last(mid, midCount, "^key (down|up) " want " ", "^key down "))
        return "failed " sym " was not held while the button was down"
    return "received " sym (got == "-" ? "" : " with " got) (held ? ", held until release" : "")
}
function buttonResult(    number) {
    number = key == "BTN_LEFT" ? 1 : key == "BTN_RIGHT" ? 3 : key == "BTN_MIDDLE" ? 2 : 0
    if (!has(mid, midCount, "^button down " number "$")) return "failed no button " number " press at button-down"
    if (has(mid, midCount, "^button up " number "$")) return "failed button " number " released before button-up"
    if (!has(all, allCount, "^button up " number "$")) return "failed button " number " still down after button-up"
    return "received button " number " press at button-down and release at button-up"
}
END {
    combination = posted
    held = sub(/^hold /, "", combination)
    n = split(combination, keys, "+")
    key = keys[n]
    wantMods = ""
    for (i = 1; i < n; i++) wantMods = wantMods "+" modName(keys[i])
    wantMods = canonical(substr(wantMods, 2))
    if (!(key in code)) { print "failed no evdev code for " key; exit }
    print (key ~ /^BTN_/ ? buttonResult() : keyResult())
}
