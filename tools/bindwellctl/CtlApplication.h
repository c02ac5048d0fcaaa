// Main thread only.
#pragma once

#include <QCoreApplication>

namespace bindwell::ctl {

// The Qt application object a command needs for its event loop and the
// standard paths; it owns the argument list Qt insists on keeping.
class CtlApplication final {
public:
    CtlApplication() : application_(argc_, argv_) {}

private:
    int argc_ = 1;
    char name_[12] = "bindwellctl";
    char* argv_[2] = {name_, nullptr};
    QCoreApplication application_;
};

} // namespace bindwell::ctl
