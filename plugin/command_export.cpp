// The command's export: the host calls it with the text after "tardo".
#include "command/tardo_command.h"
#include "plugin/exports.h"

int WINAPI tardo(wchar_t *tail) { return TardoCommand(tail); }
