// The host's own printf for wide texts, the same on every platform (the C
// library's wide printf reads %s differently on Windows and elsewhere), for
// the formats the plug-in writes: %s (a wide text), %d, %x (lower case) and
// %%, the numbers with an optional width padded with zeros (%02d, %08x).
// Anything else is copied as it stands, without taking an argument.
#pragma once

#include <cstdarg>
#include <string>

std::wstring FormatWide(const wchar_t *format, va_list arguments);
