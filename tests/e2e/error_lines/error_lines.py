"""Error lines through the stand-in shell when one batch file calls another:
the called file names itself, and its caller is named again after it
returns. The form of the line is report_error_test's, its message the
command table's (tests/e2e/command)."""
import os
import shutil
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "support"))
sys.path.insert(0, os.path.join(HERE, "..", "..", "support"))
sys.path.insert(0, os.path.join(HERE, "..", "command"))
import command_sessions  # noqa: E402
import expectations  # noqa: E402
import shellrun  # noqa: E402

BANNER = f"Tardo v{shellrun.VERSION} loaded.\n".encode()
# What "tardo until" says at the prompt, as the command table expects it.
UNTIL = expectations.message_of(next(err for tail, out, err, code in command_sessions.cases("", "")
                                     if tail == "until"))
# The host's strict mode aborts the shell on any overrun of a 16384-character buffer.
STRICT = {"TAKECMD_STRICT": "1"}


def at(path, number):
    return expectations.error_line(UNTIL, expectations.batch_location(path, number))


def main():
    args = shellrun.parse_arguments()
    work = os.path.join(args.work, "error-lines")
    shutil.rmtree(work, ignore_errors=True)
    inner_folder = os.path.join(work, "inner")
    os.makedirs(inner_folder)
    shell = shellrun.Shell(args.shell, args.plugin, args.emulator, env=STRICT)
    results = shellrun.Results()

    inner = os.path.join(inner_folder, "inner.btm")
    with open(inner, "wb") as f:
        f.write(b"rem inner\r\ntardo until\r\n")
    inner = shell.host_path(inner)
    code, out, err, outer = shell.batch(["tardo until", f'call "{inner}"', "tardo until"],
                                        name="outer.btm", folder=work)
    results.check("nested batch", (1, BANNER, at(outer, 1) + at(inner, 2) + at(outer, 3)), (code, out, err))
    return results.finish()


if __name__ == "__main__":
    shellrun.run_suite(main)
