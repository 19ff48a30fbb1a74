// The C++ library's default terminate handler prints the demangled type of an uncaught exception to
// stderr, which a GUI process does not have; replacing it keeps the demangler (about a sixth of the
// executable) out of the program. An uncaught exception still ends the process at once.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
} // namespace __gnu_cxx

// The library's own throwers of its logic errors build the exception's message with a second string
// implementation and its instantiations (some 20 KB of the x86 program). Nothing in the program catches
// an exception, so every one of them ends the process at once, as these do without the detour. Memory
// that cannot be had is still thrown as bad_alloc, which ends it the same way.
#include <new>

namespace std {
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
void __throw_system_error(int) { std::abort(); }
} // namespace std
