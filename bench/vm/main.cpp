// The VM's measurements, run inside the test VM like the suite's driver
// (tests/vm/run-vm-suite.sh with BINDWELL_VM_PROGRAM=bindwell_vm_bench):
// BINDWELL_VM_ONLY names the ones to run. Each prints figures and checks
// only that its run worked.
#include "Harness.h"
#include "Measurements.h"

int main() {
    using namespace vmtest;
    if (selected("latency")) {
        latency();
    }
    if (selected("passed-latency")) {
        passedKeyLatency();
    }
    if (selected("callgrind")) {
        inputPathCost();
    }
    if (selected("ten")) {
        tenControllers();
    }
    return finish();
}
