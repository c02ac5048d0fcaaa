# xev's report, as the suite's event lines (see judge.awk):
#   key down CODE SYM MODS | key up CODE SYM | button down|up N | motion X Y
# CODE is the evdev code (X keycode - 8); MODS are those held before the key.
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
/^KeyPress event/ { kind = "key down"; next }
/^KeyRelease event/ { kind = "key up"; next }
/^ButtonPress event/ { kind = "button down"; next }
/^ButtonRelease event/ { kind = "button up"; next }
/^MotionNotify event/ { kind = "motion"; next }
/^[A-Za-z]/ { kind = ""; next }
kind == "motion" && match($0, /root:\([-0-9]+,[-0-9]+\)/) {
    split(substr($0, RSTART + 6, RLENGTH - 7), at, ",")
    print "motion", at[1], at[2]
    kind = ""
}
kind ~ /^key/ && match($0, /state 0x[0-9a-f]+, keycode [0-9]+ \(keysym 0x[0-9a-f]+, [^)]*\)/) {
    split(substr($0, RSTART, RLENGTH), f, /[ ,()]+/)
    code = f[4] - 8
    print kind, code, f[7], (kind == "key down" ? mods(hex(substr(f[2], 3))) : "")
    kind = ""
}
kind ~ /^button/ && match($0, /button [0-9]+/) {
    print kind, substr($0, RSTART + 7, RLENGTH - 7)
    kind = ""
}
