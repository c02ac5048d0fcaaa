// Reports the active window to Bindwell over D-Bus, for its per-application
// actions. Bindwell loads it through KWin's Scripting interface and writes
// its own bus name in place of the marker below.
//
// Plasma 6 names windows "window" (workspace.windowActivated,
// workspace.activeWindow); Plasma 5 named them "client". Plasma 5 hands
// resourceClass over as bytes (an ArrayBuffer), Plasma 6 as a string.
const bindwellService = "@BINDWELL_SERVICE@";

function bindwellText(value) {
    if (value === undefined || value === null) {
        return "";
    }
    if (value instanceof ArrayBuffer) {
        const bytes = new Uint8Array(value);
        let text = "";
        for (let i = 0; i < bytes.length; ++i) {
            text += String.fromCharCode(bytes[i]);
        }
        return text;
    }
    return String(value);
}

function bindwellReport(window) {
    const wmClass = window ? bindwellText(window.resourceClass) : "";
    const desktopFile = window ? bindwellText(window.desktopFileName) : "";
    const title = window ? bindwellText(window.caption) : "";
    callDBus(bindwellService, "/org/bindwell/Focus", "org.bindwell.Focus", "FocusChanged",
             desktopFile || wmClass.toLowerCase(), wmClass, title);
}

let bindwellWatched = null;

function bindwellReportCaption() {
    bindwellReport(bindwellWatched);
}

function bindwellActivated(window) {
    try {
        if (bindwellWatched) {
            bindwellWatched.captionChanged.disconnect(bindwellReportCaption);
        }
    } catch (error) {
        // The window was closed and its object is gone, with its connections.
    }
    bindwellWatched = window || null;
    if (bindwellWatched) {
        bindwellWatched.captionChanged.connect(bindwellReportCaption);
    }
    bindwellReport(bindwellWatched);
}

if (workspace.windowActivated) {
    workspace.windowActivated.connect(bindwellActivated);
    bindwellActivated(workspace.activeWindow);
} else {
    workspace.clientActivated.connect(bindwellActivated);
    bindwellActivated(workspace.activeClient);
}
