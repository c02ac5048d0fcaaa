// Tells Bindwell which application has the focus: on every change of the
// focused window, and of its class, it calls FocusChanged(appId, wmClass,
// title) on org.bindwell.Focus. The title is always empty: Bindwell's rules
// never read it, and it is the one field that may hold what the user reads
// (a page's name, a mail's subject). Bindwell may start after the shell or
// restart, so the current focus is sent again whenever that name gets a new
// owner. GNOME Shell 45 and later load extensions as ES modules; ../43 holds
// the same extension for the older loader.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import Shell from 'gi://Shell';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

const busName = 'org.bindwell.Focus';

// The desktop file's name without ".desktop" when the shell knows the app,
// else what the toolkit says (GTK application id, then the X11 class).
function appIdOf(window) {
    const app = Shell.WindowTracker.get_default().get_window_app(window);
    const id = app && !app.is_window_backed() ? app.get_id() : '';
    return (id || '').replace(/\.desktop$/, '') || window.get_gtk_application_id() ||
        (window.get_wm_class() || '').toLowerCase();
}

class FocusReporter {
    constructor() {
        this._window = null;
        this._classHandler = 0;
        this._focusHandler = global.display.connect('notify::focus-window', () => this._follow());
        this._nameWatch = Gio.bus_watch_name(Gio.BusType.SESSION, busName,
            Gio.BusNameWatcherFlags.NONE, () => this._send(), null);
        this._follow();
    }

    destroy() {
        Gio.bus_unwatch_name(this._nameWatch);
        global.display.disconnect(this._focusHandler);
        this._watchClass(null);
    }

    _follow() {
        this._watchClass(global.display.focus_window);
        this._send();
    }

    _watchClass(window) {
        if (this._window)
            this._window.disconnect(this._classHandler);
        this._window = window;
        this._classHandler = window ? window.connect('notify::wm-class', () => this._send()) : 0;
    }

    _send() {
        const window = this._window;
        const report = window
            ? [appIdOf(window), window.get_wm_class() || '', '']
            : ['', '', ''];
        Gio.DBus.session.call(busName, '/org/bindwell/Focus', 'org.bindwell.Focus',
            'FocusChanged', new GLib.Variant('(sss)', report), null,
            Gio.DBusCallFlags.NO_AUTO_START, -1, null, (connection, result) => {
                try {
                    connection.call_finish(result);
                } catch (e) {
                    // Bindwell is not running: it gets the focus when it takes the name.
                }
            });
    }
}

export default class BindwellFocusExtension extends Extension {
    enable() {
        this._reporter = new FocusReporter();
    }

    disable() {
        this._reporter.destroy();
        this._reporter = null;
    }
}
