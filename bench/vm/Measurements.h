#pragma once

namespace vmtest {

void latency();
void inputPathCost();
void tenControllers();

} // namespace vmtest
