// x86_code_probe: can this machine's kernel run 32-bit code in a 64-bit
// process? Wine's WoW64 mode, which runs the x86 build, needs exactly that:
// the 32-bit user code segment (selector 0x23). The probe far-returns into
// that segment, runs one instruction whose meaning differs between the two
// modes, and far-returns to the 64-bit segment (0x33).
// Exit status 0 when the 32-bit code ran; 1, with the reason on standard
// output, when it did not. A Linux x86-64 program, built without PIE so that
// its code lies below 4 GB, where 32-bit code can run it.
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <initializer_list>

// Returns -1 when the instruction ran as 32-bit code, 0 when it ran as
// 64-bit code. stackTop must lie below 4 GB.
extern "C" int tardo_enter_x86(void *stackTop);

asm(R"(
        .text
        .globl tardo_enter_x86
tardo_enter_x86:
        pushq %rbx
        pushq %rbp
        movq %rsp, %rbp
        movq %rdi, %rsp
        pushq $0x23
        leaq 1f(%rip), %rax
        pushq %rax
        lretq
        .code32
1:      xorl %eax, %eax
        .byte 0x48, 0x90      # dec eax, nop as 32-bit code; a plain nop (REX.W) as 64-bit code
        movl %eax, %ebx
        pushl $0x33
        call 2f
2:      addl $(3f - 2b), (%esp)
        lret
        .code64
3:      movq %rbp, %rsp
        movl %ebx, %eax
        popq %rbp
        popq %rbx
        ret
)");

namespace {

constexpr char kNoSegment[] = "no 32-bit user code segment\n";

// A fault on the way in or out means the segment is missing or unusable.
void Faulted(int) {
  const ssize_t written = write(STDOUT_FILENO, kNoSegment, sizeof kNoSegment - 1);
  static_cast<void>(written);
  _exit(1);
}

}  // namespace

int main() {
  static char signalStack[65536];
  const stack_t alternate = {signalStack, 0, sizeof signalStack};
  sigaltstack(&alternate, nullptr);
  struct sigaction onFault = {};
  onFault.sa_handler = Faulted;
  onFault.sa_flags = SA_ONSTACK;
  for (const int signal : {SIGSEGV, SIGBUS, SIGILL}) sigaction(signal, &onFault, nullptr);

  constexpr size_t kStackBytes = 65536;
  void *stack = mmap(nullptr, kStackBytes, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
  if (stack == MAP_FAILED) {
    std::fputs("no memory below 4 GB for a 32-bit stack\n", stdout);
    return 1;
  }
  const int mode = tardo_enter_x86(static_cast<char *>(stack) + kStackBytes - 64);
  if (mode != -1) {
    std::fputs("the 32-bit code segment runs code as 64-bit code\n", stdout);
    return 1;
  }
  return 0;
}
