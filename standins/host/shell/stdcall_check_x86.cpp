// The x86 thunk behind CallExport: calls a __stdcall function with its
// arguments on a 16-byte aligned stack, with marker values in EBX, ESI, EDI
// and EBP, and reports afterwards where ESP is against where it must be once
// the callee has removed its arguments, which markers changed, and whether
// the direction flag, clear on every call and return, was left set. The
// caller's own frame is kept in static storage across the call, since the
// callee may have broken every register the thunk could keep it in: the
// shell calls one export at a time, on one thread.
#include <cstdint>
#include <cstdlib>

#include "standins/common/utf8_text.h"
#include "standins/host/shell/export_call.h"
#include "standins/host/shell/shell_messages.h"

namespace {

struct StdcallOutcome {
  std::uint32_t result;    // EAX
  std::int32_t stackSkew;  // ESP after the call minus where it belongs, in bytes
  std::uint32_t broken;    // a bit for each part of the contract the callee broke
};
static_assert(sizeof(StdcallOutcome) == 12);  // the thunk writes it at offsets 0, 4 and 8

struct BrokenPart {
  std::uint32_t bit;  // as the thunk sets it
  const wchar_t *report;
};
constexpr BrokenPart kBrokenParts[] = {{1, L"EBX changed"},
                                       {2, L"ESI changed"},
                                       {4, L"EDI changed"},
                                       {8, L"EBP changed"},
                                       {16, L"left the direction flag set"}};

}  // namespace

extern "C" void __cdecl tardo_checked_stdcall(const void *entry, const std::uint32_t *arguments,
                                              int count, StdcallOutcome *outcome);

asm(R"(
        .intel_syntax noprefix
        .data
        .balign 4
checked_stack:  .long 0
checked_frame:  .long 0
        .text
        .globl _tardo_checked_stdcall
        .def _tardo_checked_stdcall; .scl 2; .type 32; .endef
_tardo_checked_stdcall:
        push ebp
        mov ebp, esp
        push ebx
        push esi
        push edi
        and esp, -16
        mov ecx, [ebp+16]
        lea eax, [ecx*4]
        neg eax
        and eax, 15
        sub esp, eax
        mov [checked_stack], esp
        mov [checked_frame], ebp
        mov edx, [ebp+12]
1:      test ecx, ecx
        jz 2f
        push dword ptr [edx+ecx*4-4]
        dec ecx
        jmp 1b
2:      mov eax, [ebp+8]
        mov ebx, 0x5AB0B0B5
        mov esi, 0x5A515155
        mov edi, 0x5AD1D1D5
        mov ebp, 0x5AEBEBE5
        call eax
        mov ecx, esp
        sub ecx, [checked_stack]
        xor edx, edx
        cmp ebx, 0x5AB0B0B5
        je 3f
        or edx, 1
3:      cmp esi, 0x5A515155
        je 4f
        or edx, 2
4:      cmp edi, 0x5AD1D1D5
        je 5f
        or edx, 4
5:      cmp ebp, 0x5AEBEBE5
        je 6f
        or edx, 8
6:      mov ebp, [checked_frame]
        mov ebx, [ebp+20]
        mov [ebx], eax
        mov [ebx+4], ecx
        mov [ebx+8], edx
        lea esp, [ebp-12]
        pushfd
        pop ecx
        test ecx, 0x400
        jz 7f
        or dword ptr [ebx+8], 16
        cld
7:      pop edi
        pop esi
        pop ebx
        pop ebp
        ret
        .att_syntax prefix
)");

std::uint32_t CallStdcallChecked(const std::wstring &plugin, const char *exportName,
                                 const void *entry, const std::uint32_t *arguments, int count) {
  StdcallOutcome outcome{};
  tardo_checked_stdcall(entry, arguments, count, &outcome);
  if (outcome.stackSkew == 0 && outcome.broken == 0) return outcome.result;

  std::wstring broken;
  if (outcome.stackSkew < 0)
    broken = L"left " + std::to_wstring(-outcome.stackSkew) + L" bytes of arguments on the stack";
  else if (outcome.stackSkew > 0)
    broken = L"removed " + std::to_wstring(outcome.stackSkew) + L" bytes more than its arguments";
  for (const BrokenPart &part : kBrokenParts)
    if (outcome.broken & part.bit)
      broken += (broken.empty() ? L"" : L", ") + std::wstring(part.report);
  ShellError(L"plug-in " + plugin + L" broke the __stdcall contract in " + Utf8ToWide(exportName) +
             L"(): " + broken + L"; stopping");
  std::abort();
}
