// Main thread only.
#pragma once

#include "model/RemapAction.h"

#include <QObject>
#include <QVariantList>
#include <optional>
#include <string>

namespace bindwell {

// The picker's groups: "Actions" (the ten payload-free actions) followed by
// the five preset groups, each {title, actions: [actionMap...]}.
class ActionCatalog final : public QObject {
    Q_OBJECT
    Q_PROPERTY(QVariantList groups READ groups CONSTANT)

public:
    using QObject::QObject;

    [[nodiscard]] QVariantList groups() const;

    // The picker hands back a row by its label, which is unique across the
    // whole catalogue; nothing is found for a label the picker never showed.
    [[nodiscard]] static std::optional<RemapAction> actionNamed(const std::string& displayName);
};

} // namespace bindwell
