#include "QmlTestBench.h"

#include <QtQuickTest>

QUICK_TEST_MAIN_WITH_SETUP(bindwell_qml, bindwell::test::QmlTestBench)
