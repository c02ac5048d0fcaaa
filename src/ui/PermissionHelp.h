// Main thread only.
#pragma once

namespace bindwell {

// Opens the local page that explains how to let Bindwell send input and read
// its controller on Linux, at the section ("send-input", "read-controller")
// of the card whose button was pressed. The installed copy wins; a build run
// from the source tree finds the page there.
void openPermissionHelp(const char* section);

} // namespace bindwell
