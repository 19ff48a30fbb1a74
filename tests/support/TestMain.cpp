// Test entry: the program's first module start-up (the locale and lead bytes) runs before any test, as
// the process entry runs it before anything else in the program.
#include <gtest/gtest.h>

#include "TinyUtils.h"

int main(int argc, char** argv) {
    TinyUtils::Startup();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
