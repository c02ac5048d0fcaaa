// A stand-in for GNOME Shell on a private session bus, run by gjs:
//   gjs mock-gnome-shell.js 43|45 DATA_DIR TABLE [STATE]
// owns org.gnome.Shell, reports Bindwell's extension through
// org.gnome.Shell.Extensions in STATE (1, enabled, unless given; "held":
// enabled, with org.bindwell.Focus taken before Bindwell starts), loads the
// real extension of that generation into a mock `global` and
// Shell.WindowTracker, and once org.bindwell.Focus has an owner plays the
// table's steps on it. Gio and GLib are the real ones, so the extension's
// D-Bus calls are real.
const {Gio, GLib} = imports.gi;

const [generation, dataDir, tablePath, extensionState = '1'] = ARGV;
const uuid = 'bindwell-focus@bindwell';
const held = extensionState === 'held';

// Signals as GNOME Shell's own JS objects have them: connect() gives an id,
// and disconnecting an id that is not connected throws.
const {addSignalMethods} = imports.signals;

class MockWindow {
    constructor([wmClass, gtkAppId, desktopId, title]) {
        Object.assign(this, {wmClass, gtkAppId, desktopId, title});
    }

    get_wm_class() { return this.wmClass || null; }
    get_gtk_application_id() { return this.gtkAppId || null; }
}
addSignalMethods(MockWindow.prototype);

const display = {focus_window: null};
addSignalMethods(display);
const mockGlobal = {display};
let windowBackedIds = 0;
const Shell = {
    WindowTracker: {
        get_default: () => ({
            get_window_app: window => ({
                get_id: () => window.desktopId || `window:${++windowBackedIds}`,
                is_window_backed: () => !window.desktopId,
            }),
        }),
    },
};

function source(path) {
    return new TextDecoder().decode(GLib.file_get_contents(path)[1]);
}

// The extension's enable() and disable(), loaded as that generation's shell
// would: an ES module's default export for 45, a legacy script for 43. gjs
// resolves no gi:// or resource:// imports to mocks, so the module's import
// lines are swapped for the mocks before it is evaluated.
function loadExtension() {
    const path = `${dataDir}/gnome-shell/${generation}/${uuid}/extension.js`;
    if (generation === '43') {
        const script = new Function('imports', 'global',
            `${source(path)}\nreturn {init, enable, disable};`);
        const legacy = script({gi: {Gio, GLib, Shell}}, mockGlobal);
        legacy.init();
        return legacy;
    }
    const mocks = {Gio, GLib, Shell, Extension: class {}};
    const body = source(path)
        .replace(/^import (\w+) from 'gi:\/\/(\w+)';$/gm, 'const $1 = mocks.$2;')
        .replace(/^import \{(\w+)\} from 'resource:.*';$/gm, 'const $1 = mocks.$1;')
        .replace(/^export default class/m, 'return class');
    const Extension = new Function('mocks', 'global', body)(mocks, mockGlobal);
    return new Extension();
}

function focus(window) {
    display.focus_window = window;
    display.emit('notify::focus-window');
}

const fields = text => text.split(',').map(field => field.trim());
const steps = source(tablePath).split('\n')
    .filter(line => !/^\s*(#|$)/.test(line))
    .map(line => line.split('|').map(column => column.trim()));

let extension = null;
let thief = null;
function play([action, values]) {
    if (action === 'initial') {
        display.focus_window = new MockWindow(fields(values));
    } else if (action === 'focus') {
        focus(new MockWindow(fields(values)));
    } else if (action === 'title') {
        display.focus_window.title = values;
        display.focus_window.emit('notify::title');
    } else if (action === 'class') {
        display.focus_window.wmClass = values;
        display.focus_window.emit('notify::wm-class');
    } else if (action === 'steal') {
        // Another program on the bus asks for Bindwell's name, to be handed it.
        thief = Gio.DBusConnection.new_for_address_sync(
            Gio.dbus_address_get_for_bus_sync(Gio.BusType.SESSION, null),
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
                Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, null, null);
        thief.call_sync('org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
            'RequestName', new GLib.Variant('(su)', ['org.bindwell.Focus', 2]), null,
            Gio.DBusCallFlags.NONE, -1, null);
    } else if (action === 'none') {
        focus(null);
    } else if (action === 'disable') {
        extension.disable();
    }
}

const extensionsInterface = `<node><interface name="org.gnome.Shell.Extensions">
  <method name="GetExtensionInfo"><arg type="s" direction="in"/>
    <arg type="a{sv}" direction="out"/></method></interface></node>`;
// In the error state (3) the shell says why, as it does.
const shellObject = Gio.DBusExportedObject.wrapJSObject(extensionsInterface, {
    GetExtensionInfo: asked => (asked !== uuid ? {} : {
        state: new GLib.Variant('d', held ? 1 : Number(extensionState)),
        error: new GLib.Variant('s', extensionState === '3' ? 'TypeError: boom' : ''),
    }),
});
shellObject.export(Gio.DBus.session, '/org/gnome/Shell');
const versionObject = Gio.DBusExportedObject.wrapJSObject(`<node>
  <interface name="org.gnome.Shell"><property name="ShellVersion" type="s" access="read"/>
  </interface></node>`, {ShellVersion: '48.1'});
versionObject.export(Gio.DBus.session, '/org/gnome/Shell');

const loop = new GLib.MainLoop(null, false);
Gio.bus_own_name(Gio.BusType.SESSION, 'org.gnome.Shell', Gio.BusNameOwnerFlags.NONE, null,
    () => {
        while (steps.length > 0 && steps[0][0] === 'initial')
            play(steps.shift());
        extension = loadExtension();
        extension.enable();
        if (held)
            Gio.bus_own_name(Gio.BusType.SESSION, 'org.bindwell.Focus', 0, null,
                () => print('ready'), null);
        else
            print('ready');
    }, null);
// Steps start once Bindwell holds its name and has had the current focus.
const watch = held ? 0 : Gio.bus_watch_name(Gio.BusType.SESSION, 'org.bindwell.Focus',
    Gio.BusNameWatcherFlags.NONE, () => {
        Gio.bus_unwatch_name(watch);
        GLib.timeout_add(GLib.PRIORITY_DEFAULT, 200, () => {
            steps.forEach(play);
            GLib.timeout_add(GLib.PRIORITY_DEFAULT, 300, () => loop.quit());
            return GLib.SOURCE_REMOVE;
        });
    }, null);
loop.run();
print('done');
