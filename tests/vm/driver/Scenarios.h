#pragma once

namespace vmtest {

void soak();
// The scenarios written as steps (StepRunner.cpp), those BINDWELL_VM_ONLY names.
void runStepScenarios();

} // namespace vmtest
