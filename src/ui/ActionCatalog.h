// Main thread only.
#pragma once

#include "model/RemapAction.h"

#include <QObject>
#include <QVariantList>

namespace bindwell {

// The picker's groups: "Actions" (the ten payload-free actions) followed by
// the five preset groups, each {title, actions: [actionMap...]}.
class ActionCatalog final : public QObject {
    Q_OBJECT
    Q_PROPERTY(QVariantList groups READ groups CONSTANT)

public:
    using QObject::QObject;

    [[nodiscard]] QVariantList groups() const;
};

} // namespace bindwell
