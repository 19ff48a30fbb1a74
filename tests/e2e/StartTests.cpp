#include <gtest/gtest.h>

#include "Win32Support.h"

TEST(Start, NoArgumentsPlaceholder) { SUCCEED(); }
