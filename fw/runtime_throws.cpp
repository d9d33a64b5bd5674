// The C++ runtime reports its own errors (an index out of range, a length past
// max_size, an allocation failure) through these functions. The runtime's own
// versions build std::logic_error and its kin, whose copy-on-write strings
// pull about 50 KB of string code into every binary that uses a container.
// The shipped binaries define them here instead: allocation failures keep
// their standard types, which the COM boundary maps to E_OUTOFMEMORY; the
// other errors are program faults that nothing here catches by type, and they
// travel as one small exception class to the catch-all that every window
// procedure and COM method has.
#include <exception>
#include <new>
#include <typeinfo>

namespace fw {
namespace {

class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(const char* what) : what_(what ? what : "runtime error") {}
  const char* what() const noexcept override { return what_; }

 private:
  const char* what_;  // the runtime passes literals
};

}  // namespace
}  // namespace fw

namespace std {

void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
// A container asked to grow past what it can address fails as an allocation.
void __throw_length_error(const char*) { throw bad_alloc(); }
void __throw_logic_error(const char* what) { throw fw::RuntimeError(what); }
void __throw_domain_error(const char* what) { throw fw::RuntimeError(what); }
void __throw_invalid_argument(const char* what) { throw fw::RuntimeError(what); }
void __throw_out_of_range(const char* what) { throw fw::RuntimeError(what); }
void __throw_out_of_range_fmt(const char* format, ...) { throw fw::RuntimeError(format); }
void __throw_runtime_error(const char* what) { throw fw::RuntimeError(what); }
void __throw_range_error(const char* what) { throw fw::RuntimeError(what); }
void __throw_overflow_error(const char* what) { throw fw::RuntimeError(what); }
void __throw_underflow_error(const char* what) { throw fw::RuntimeError(what); }

}  // namespace std
