#pragma once

namespace vmtest {

void latency();
void passedKeyLatency();
void inputPathCost();
void tenControllers();

} // namespace vmtest
