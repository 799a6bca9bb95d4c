// The host's own printf for wide texts, the same on every platform (the C
// library's wide printf reads %s differently on Windows and elsewhere).
// Conversions: %s (wide text), %d, %u, %x (lower case), %c, %%, each with an
// optional width and '0' flag (numbers only are zero-padded). Anything else
// is copied as it stands, without taking an argument.
#pragma once

#include <cstdarg>
#include <string>

std::wstring FormatWide(const wchar_t *format, va_list arguments);
