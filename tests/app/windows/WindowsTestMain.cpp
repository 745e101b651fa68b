#include "tests/app/windows/GridTestSupport.h"

// One application object for the whole test program.
static ::testing::Environment* const kAppEnvironment =
    ::testing::AddGlobalTestEnvironment(new grid_test::AppEnvironment);
