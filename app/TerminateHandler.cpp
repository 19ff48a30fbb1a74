// The C++ library's default terminate handler prints the demangled type of an uncaught exception to
// stderr, which a GUI process does not have; replacing it keeps the demangler (about a sixth of the
// executable) out of the program. An uncaught exception still ends the process at once.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
} // namespace __gnu_cxx
