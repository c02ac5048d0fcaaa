#pragma once

namespace vmtest {

void soak();

} // namespace vmtest
