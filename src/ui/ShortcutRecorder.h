// Main thread only.
#pragma once

#include <QObject>
#include <QVariantMap>

namespace bindwell {

// Turns a key pressed in the setup window into a keystroke action. The picker
// sends every key press here while it records; the result tells it to keep
// waiting (a modifier alone), to show why the key cannot be used, or which
// action to store.
class ShortcutRecorder final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // qtKey and qtModifiers as a key event carries them. Returns
    //   {}                        a modifier pressed alone: keep waiting;
    //   {"error": text}           a key Bindwell cannot type;
    //   an action map (ActionMaps) for a tap, or a hold when hold is true.
    [[nodiscard]] Q_INVOKABLE QVariantMap record(int qtKey, int qtModifiers, bool hold) const;
};

} // namespace bindwell
