#include "state/RecentApps.h"

#include "engine/HIDInterceptor.h"

#include <QVariantMap>
#include <algorithm>

namespace bindwell {
namespace {

std::string keyOf(const FocusedApp& app) {
    return app.appId + '\n' + app.wmClass;
}

const std::string& matchOf(const FocusedApp& app) {
    return app.appId.empty() ? app.wmClass : app.appId;
}

} // namespace

RecentApps::RecentApps(HIDInterceptor& engine, QStringList folders, QObject* parent)
    : QObject(parent), folders_(std::move(folders)) {
    connect(&engine, &HIDInterceptor::focusedAppChanged, this,
            [this, &engine] { remember(engine.focusedApp()); });
}

void RecentApps::remember(const FocusedApp& focused) {
    if (matchOf(focused).empty()) {
        return; // the desktop itself, or a window without a name
    }
    const FocusedApp app{focused.appId, focused.wmClass, {}};
    if (!apps_.empty() && apps_.front() == app) {
        return;
    }
    std::erase(apps_, app);
    apps_.insert(apps_.begin(), app);
    if (apps_.size() > capacity) {
        // Its entry goes with it: a session sees thousands of window classes
        // (every terminal tab may set one), and only those shown need a name.
        entries_.erase(keyOf(apps_.back()));
        apps_.pop_back();
    }
    emit changed();
}

QVariantList RecentApps::apps() const {
    QVariantList list;
    for (const FocusedApp& app : apps_) {
        list.append(QVariantMap{{"match", QString::fromStdString(matchOf(app))},
                                {"name", displayName(app)},
                                {"icon", entryFor(app).icon}});
    }
    return list;
}

QString RecentApps::displayName(const FocusedApp& app) const {
    const QString name = entryFor(app).name;
    return name.isEmpty() ? QString::fromStdString(matchOf(app)) : name;
}

QString RecentApps::nameForMatch(const std::string& match) const {
    const auto found = std::find_if(apps_.begin(), apps_.end(), [&match](const FocusedApp& app) {
        return matchOf(app) == match;
    });
    return found != apps_.end() ? displayName(*found) : QString::fromStdString(match);
}

const DesktopEntry& RecentApps::entryFor(const FocusedApp& app) const {
    const std::string key = keyOf(app);
    auto found = entries_.find(key);
    if (found == entries_.end()) {
        found =
            entries_.emplace(key, findDesktopEntry(app, folders_).value_or(DesktopEntry{})).first;
    }
    return found->second;
}

} // namespace bindwell
