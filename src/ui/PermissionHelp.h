// Main thread only.
#pragma once

#include <QString>

namespace bindwell {

// Opens the local page that explains how to let Bindwell post and read input
// on Linux, at the section for one permission ("accessibility" or
// "input-monitoring"). The installed copy wins; a build run from the source
// tree finds the page there.
void openPermissionHelp(const QString& section);

} // namespace bindwell
