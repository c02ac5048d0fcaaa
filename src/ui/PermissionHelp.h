// Main thread only.
#pragma once

namespace bindwell {

// Opens the local page that explains how to let Bindwell post and read input
// on Linux; both permissions come from the same udev rule and group, so both
// of the guide's buttons lead here. The installed copy wins; a build run from
// the source tree finds the page there.
void openPermissionHelp();

} // namespace bindwell
