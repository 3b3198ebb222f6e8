#include "RegisterCall.h"

#if defined(__i386__)

// cdecl: (function, args, offset). ESP is measured after the call and then
// taken back from EBP, so a callee that removes too much or too little is
// reported instead of derailing the caller.
extern "C" int32_t HostCallRegister10(const void* function, const uint32_t* args,
                                      int32_t* stackOffset) __asm__("host_call_register10");

__asm__(R"(
    .text
    .p2align 4
host_call_register10:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 12(%ebp), %esi
    pushl 12(%esi)
    pushl 16(%esi)
    pushl 20(%esi)
    pushl 24(%esi)
    pushl 28(%esi)
    pushl 32(%esi)
    pushl 36(%esi)
    movl 0(%esi), %eax
    movl 4(%esi), %edx
    movl 8(%esi), %ecx
    call *8(%ebp)
    leal -12(%ebp), %ecx
    movl %esp, %edx
    subl %ecx, %edx
    movl 16(%ebp), %ecx
    movl %edx, (%ecx)
    leal -12(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

namespace host {

RegisterCallResult CallRegister10(const void* function, const uint32_t (&args)[10]) {
  RegisterCallResult r{};
  r.result = HostCallRegister10(function, args, &r.stackOffset);
  return r;
}

}  // namespace host

#endif
