"""The shared expected texts of tests/support/expectations.h, for the
end-to-end suites: read from the header itself, so that C++ and Python
compare against one copy."""
import ast
import os
import re

_LITERAL = r'"(?:[^"\\]|\\.)*"'


def _texts():
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "expectations.h"),
              encoding="utf-8") as f:
        source = f.read()
    return {name: b"".join(ast.literal_eval("b" + piece) for piece in re.findall(_LITERAL, body))
            for name, body in re.findall(rf"constexpr char (k\w+)\[\] =((?:\s*{_LITERAL})+);", source)}


_TEXT = _texts()
SYNTAX = _TEXT["kUsageSyntax"]
USAGE = _TEXT["kUsageDescription"] + SYNTAX


def _bytes(text):
    return text if isinstance(text, bytes) else str(text).encode("utf-8")


def batch_location(file, line):
    return _bytes(file) + _TEXT["kLocationOpen"] + _bytes(line) + _TEXT["kLocationClose"]


def error_line(message, location=b""):
    return _TEXT["kErrorPrefix"] + location + _bytes(message) + _TEXT["kErrorEnd"]


def message_of(line):
    """The message of an error line written at the prompt."""
    prefix, end = _TEXT["kErrorPrefix"], _TEXT["kErrorEnd"]
    assert line.startswith(prefix) and line.endswith(end), line
    return line[len(prefix):-len(end)]


def scheduled_line(moment, command):
    return _TEXT["kScheduledOpen"] + _bytes(moment) + _TEXT["kScheduledClose"] + _bytes(command) + \
        _TEXT["kScheduledEnd"]


NO_PENDING_JOBS = _TEXT["kNoPendingJobs"]


def job_line(name, moment, command, folder=b""):
    """A line of the job list; folder only where it is not the shell's."""
    place = _TEXT["kJobFolderOpen"] + _bytes(folder) + _TEXT["kJobFolderClose"] if folder else b""
    return _bytes(name) + _TEXT["kJobNameEnd"] + _TEXT["kScheduledOpen"] + _bytes(moment) + \
        _TEXT["kScheduledClose"] + place + _bytes(command) + _TEXT["kScheduledEnd"]


def deleted_line(name):
    return _TEXT["kDeletedOpen"] + _bytes(name) + _TEXT["kDeletedEnd"]


def deleted_count_line(count):
    return _TEXT["kDeletedOpen"] + _bytes(count) + _TEXT["kDeletedCountEnd"] + \
        (b"" if count == 1 else b"s") + _TEXT["kDeletedEnd"]
