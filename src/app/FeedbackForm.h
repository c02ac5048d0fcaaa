// Main thread only.
#pragma once

#include <QString>

namespace bindwell {

// Where "Send Feedback..." takes the user. Distributors who collect feedback
// elsewhere change this one address (see the README).
inline constexpr const char* feedbackFormAddress = "https://forms.gle/bindwell-feedback";

// Opens `address` in the user's browser when it is a web address; any other
// text is ignored, so a bad value can never launch an arbitrary handler.
// Returns whether an address was handed to the desktop.
bool openFeedbackForm(const QString& address = QString::fromLatin1(feedbackFormAddress));

} // namespace bindwell
