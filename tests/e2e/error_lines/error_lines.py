"""Error lines through the stand-in shell, byte for byte: at the prompt, in a
batch file and in one it calls, with percent signs in a message and in a
batch file's name, and a message too long for the plug-in's buffer. Every
case here is a syntax error, so no scheduler is involved."""
import os
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "support"))
import shellrun  # noqa: E402

PREFIX = "Tardo plugin: "
BANNER = f"Tardo v{shellrun.VERSION} loaded.\n".encode()
EXPECTED_TIME = "Syntax error:  expected a time"
# The host's strict mode aborts the shell on any overrun of a 16384-character buffer.
STRICT = {"TAKECMD_STRICT": "1"}


def line(message, location=""):
    return (PREFIX + location + message + "\r\n").encode("utf-8")


def invalid_time(word):
    return f'Syntax error:  invalid time "{word}"; should be HH:MM'


def where(path, number):
    return f"{path} [{number}]  "


def main():
    args = shellrun.parse_arguments()
    work = os.path.join(args.work, "error-lines")
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    shell = shellrun.Shell(args.shell, args.plugin, args.emulator, env=STRICT)
    results = shellrun.Results()

    # At the prompt: the prefix, the message and CR LF, nothing else.
    prompt = [
        ("tardo until", line(EXPECTED_TIME)),
        ("tardo until 25:00 x", line(invalid_time("25:00"))),
        # Backquotes keep the host from expanding; the plug-in writes the percent signs as they are.
        ("tardo until `50%s%d%x%`", line(invalid_time("`50%s%d%x%`"))),
        ('tardo until "%%s x"', line(invalid_time("%s x"))),
    ]
    for command, err in prompt:
        results.check(f"/c {command}", (1, b"", err), shell.run(["/c", command]))

    # In a batch file: its full name, a blank, the line in brackets, two blanks.
    lines = ["rem line 1", "tardo until", "", "tardo until 7:77 x", "tardo until `%s`"]
    code, out, err, path = shell.batch(lines, folder=work)
    results.check("batch", (1, BANNER,
                            line(EXPECTED_TIME, where(path, 2)) +
                            line(invalid_time("7:77"), where(path, 4)) +
                            line(invalid_time("`%s`"), where(path, 5))), (code, out, err))

    # A called batch file names itself, and its caller is named again after it returns.
    inner_folder = os.path.join(work, "inner")
    os.makedirs(inner_folder)
    inner = os.path.join(inner_folder, "inner.btm")
    with open(inner, "wb") as f:
        f.write(b"rem inner\r\ntardo until\r\n")
    inner = shell.host_path(inner)
    code, out, err, outer = shell.batch(["tardo until", f'call "{inner}"', "tardo until"],
                                        name="outer.btm", folder=work)
    results.check("nested batch", (1, BANNER,
                                   line(EXPECTED_TIME, where(outer, 1)) +
                                   line(EXPECTED_TIME, where(inner, 2)) +
                                   line(EXPECTED_TIME, where(outer, 3))), (code, out, err))

    # A percent sign in the batch file's name is part of the name, not a format.
    code, out, err, odd = shell.batch(["tardo until"], name="100%s 50%d.btm", folder=work)
    results.check("percent in batch name", (1, BANNER, line(EXPECTED_TIME, where(odd, 1))),
                  (code, out, err))

    # The longest tail the command takes holds a word whose message would not
    # fit in 16384 characters: the word is cut so that the message is exactly
    # 16383 characters, and the shell is not aborted.
    word = "a" * (16383 - len("until "))
    format_length = len(invalid_time("%s"))
    shown = 16383 - (format_length - 2)
    code, out, err, path = shell.batch(["tardo until " + word], name="long.btm", folder=work)
    message = invalid_time("a" * shown)
    results.check("over-long message", (1, BANNER, line(message, where(path, 1))), (code, out, err))
    results.check("over-long message length", 16383, len(message))
    return results.finish()


if __name__ == "__main__":
    shellrun.run_suite(main)
