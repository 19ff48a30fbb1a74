// The version the executable reports; the .rc reads it from here.
#pragma once
#define PATHGRAB_VERSION_NUMBERS 1, 0, 6, 0
#define PATHGRAB_VERSION_TEXT "1.0.6.0"
