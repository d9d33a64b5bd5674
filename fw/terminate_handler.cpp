// Shipped binaries end an uncaught exception with a plain abort. The runtime's
// default terminate handler prints the exception's demangled type name to a
// console a windowed program does not have, and drags the whole C++ name
// demangler (about 45 KB) into every binary; defining the handler here keeps
// the runtime's out of the link.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
