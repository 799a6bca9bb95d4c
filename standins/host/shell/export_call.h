// How the shell calls a plug-in's exports. On x86 every export is
// __stdcall: the callee removes its own arguments, keeps EBX, ESI, EDI and
// EBP, and returns with the direction flag clear. A callee that breaks this
// often goes unnoticed by the caller's own code (an epilogue that restores
// ESP from EBP hides it) until something else is corrupted later, so there
// each call runs through a thunk that compares ESP and those registers
// before and after and checks the flag; a broken contract is
// reported on standard error with the export's name and stops the shell.
// Elsewhere the call is a plain call.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

#include "hostapi/win_api.h"

#if defined(__i386__)
// The result (EAX) of entry called with count 32-bit arguments; stops the
// shell when the call broke the __stdcall contract.
std::uint32_t CallStdcallChecked(const std::wstring &plugin, const char *exportName,
                                 const void *entry, const std::uint32_t *arguments, int count);

template <typename Value>
std::uint32_t StackWord(Value value) {
  static_assert(sizeof(Value) == 4, "every export argument and result is one 32-bit word on x86");
  if constexpr (std::is_pointer_v<Value>)
    return reinterpret_cast<std::uint32_t>(value);
  else
    return static_cast<std::uint32_t>(value);
}
#endif

// A plug-in declares its exports with types of its own (its description
// record above all), so clang's function-type check would object to calls
// that the binary interface makes sound: the layout is what both sides share.
template <typename Result, typename... Arguments>
#if defined(__clang__)
__attribute__((no_sanitize("function")))
#endif
Result
CallExport(const std::wstring &plugin, const char *exportName, Result(WINAPI *entry)(Arguments...),
           std::type_identity_t<Arguments>... arguments) {
#if defined(__i386__)
  const std::uint32_t words[] = {StackWord(arguments)..., 0};
  const std::uint32_t result =
      CallStdcallChecked(plugin, exportName, reinterpret_cast<const void *>(entry), words,
                         static_cast<int>(sizeof...(Arguments)));
  if constexpr (std::is_pointer_v<Result>)
    return reinterpret_cast<Result>(result);
  else
    return static_cast<Result>(result);
#else
  static_cast<void>(plugin);
  static_cast<void>(exportName);
  return entry(arguments...);
#endif
}
