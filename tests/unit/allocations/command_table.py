"""Writes the end-to-end command table (tests/e2e/command/command_sessions.py)
as C++ rows for the allocation suite, which runs every row as a whole command:
{clock, tail, exit code, standard output, standard error}. In tails and
messages <FOLDER> (quoted) and <MISSING> stand for directories of the suite's
own. Usage: command_table.py OUTPUT"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "e2e", "command"))
import command_sessions as table  # noqa: E402


def literal(data):
    """A C++ string literal of data's UTF-8 bytes."""
    data = data.encode("utf-8") if isinstance(data, str) else data
    return '"' + "".join("\\" + chr(b) if chr(b) in '"\\' else chr(b) if 32 <= b < 127
                         else "\\%03o" % b for b in data) + '"'


def main(path):
    rows = [(table.NOW, tail, code, out, err)
            for tail, out, err, code in table.cases('"<FOLDER>"', "<MISSING>")]
    rows += [(clock, tail, 0, table.scheduled(moment, "x"), b"")
             for clock, tail, moment in table.CROSSINGS]
    with open(path, "w", encoding="ascii") as f:
        for clock, tail, code, out, err in rows:
            f.write("{%s, %s, %d, %s, %s},\n"
                    % (literal(clock), literal(tail), code, literal(out), literal(err)))


if __name__ == "__main__":
    main(sys.argv[1])
