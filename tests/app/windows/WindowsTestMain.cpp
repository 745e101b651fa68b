#include "tests/support/TestApplication.h"

// One application object for the whole test program.
KEL_TEST_APPLICATION;
