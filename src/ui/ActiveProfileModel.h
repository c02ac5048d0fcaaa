// Main thread only.
#pragma once

#include <QObject>
#include <QString>
#include <QVariantList>

namespace bindwell {

class AppState;

// AppState.activeProfile as QML sees it: the profile's header fields and its
// mappings split into the remappable and the fixed list, each in profile order.
class ActiveProfileModel final : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool hasProfile READ hasProfile NOTIFY changed)
    Q_PROPERTY(QString profileID READ profileID NOTIFY changed)
    Q_PROPERTY(QString deviceName READ deviceName NOTIFY changed)
    Q_PROPERTY(QVariantList remappable READ remappable NOTIFY changed)
    Q_PROPERTY(QVariantList fixed READ fixed NOTIFY changed)

public:
    explicit ActiveProfileModel(AppState& appState, QObject* parent = nullptr);

    [[nodiscard]] bool hasProfile() const;
    [[nodiscard]] QString profileID() const;
    [[nodiscard]] QString deviceName() const;
    [[nodiscard]] QVariantList remappable() const { return mappings(true); }
    [[nodiscard]] QVariantList fixed() const { return mappings(false); }

signals:
    void changed();

private:
    [[nodiscard]] QVariantList mappings(bool remappable) const;

    AppState& appState_;
};

} // namespace bindwell
