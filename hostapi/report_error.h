// Error lines on standard error: "Tardo plugin: ", inside a batch file its
// name and line, then the message and CR LF.
#pragma once

// Writes one error line with message, which is written as it is (percent
// signs included).
void ReportError(const wchar_t *message);

// Formats format (one integer conversion) with number, then reports it. A
// format too long to leave room for the number is reported unformatted.
void ReportErrorNumber(const wchar_t *format, int number);

// Formats format (one %s) with text, then reports it. A text too long for the
// message to fit in a host buffer is cut so that it fits exactly; a format
// too long to fit at all is reported unformatted, cut to the buffer.
void ReportErrorText(const wchar_t *format, const wchar_t *text);
