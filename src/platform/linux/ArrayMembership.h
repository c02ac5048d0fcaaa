// Any thread that may log (support/Log.h).
#pragma once

#include "platform/linux/EvdevTranslator.h"
#include "platform/linux/InputNodeInfo.h"

#include <string_view>

namespace bindwell::linuxplatform {

// Which usages of the node sit in array Input fields, from its HID report
// descriptor. When the descriptor cannot be read or parsed this logs one line
// and answers yes for every consumer usage, the layout such remotes use.
// Nodes that are not HID devices have no array fields.
[[nodiscard]] EvdevTranslator::ArrayMembership arrayMembershipFor(const InputNodeInfo& info,
                                                                  std::string_view name);

} // namespace bindwell::linuxplatform
