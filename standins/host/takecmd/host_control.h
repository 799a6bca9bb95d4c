// What TakeCmd exports beyond the plug-in services: the shell and the tests
// use it to set the host's variables, to expand whole command lines and to
// choose how an overrun of the host's buffers is treated.
#pragma once

extern "C" {
// Sets a variable; a null or empty value unsets it. Names beginning with '_'
// and ? are the host's internal variables (_batch, _cmdspec, _?, ...);
// every other name is a process environment variable, so child processes
// see it. An environment variable of an internal variable's name hides it.
// Returns 0, or -1 for an empty name or one holding '='.
int HostSetVariable(const wchar_t *name, const wchar_t *value);

// Sets a process environment variable whatever its name, as the SET command
// does; otherwise as HostSetVariable.
int HostSetEnvironment(const wchar_t *name, const wchar_t *value);

// Copies a variable's value into out (capacity characters, terminator
// included). Returns its length, -1 when it is not set, or -2 when it does
// not fit; out then holds an empty text.
int HostGetVariable(const wchar_t *name, wchar_t *out, int capacity);

// Expands text as ExpandVariables does, into out (capacity characters,
// terminator included), without strict-mode checks. Returns the length, or -1
// when the expansion does not fit; out then holds as much as fits.
int HostExpandText(const wchar_t *text, wchar_t *out, int capacity);

// Strict mode (on unless TAKECMD_STRICT=0): a Sprintf or ExpandVariables
// result longer than a host buffer holds is reported on standard error and
// the process aborts. Off, such a result is cut to fit. Returns the previous
// setting.
int HostSetStrictMode(int on);
}
