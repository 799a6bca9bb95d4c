// What several suites expect, written once. Each part names the suite that
// asserts it; the others build their expectations from here instead of
// restating them. The end-to-end suites read the texts through
// expectations.py, so each text stays a `constexpr char kName[] =` of
// plain string literals.
#pragma once

#include <string>

// The usage text (plugin_boundary_test): "tardo" alone prints both parts,
// the Usage export hands the host the syntax, Help shows both in its box.
inline constexpr char kUsageDescription[] =
    "Run a command after a specified delay, or at a certain time.  \n\n";
inline constexpr char kUsageSyntax[] =
    "TARDO [FOR] n MINUTES | HOURS [THEN] [IN dir] command\r\n"
    "TARDO UNTIL hh:mm [THEN] [IN dir] command\n"
    "\n"
    "The command will be run in a separate shell.  IN dir sets\n"
    "the working directory; the default is where TCC.EXE lives.  \n"
    "If the command contains percent signs or other special\n"
    "characters, enclose it in backquotes.  The keywords FOR\n"
    "and THEN are syntax sugar; both are optional and neither\n"
    "does anything.\n";

// The error line (report_error_test): the prefix, inside a batch file the
// location (its name, the opening, the line number, the closing), the
// message, the end.
inline constexpr char kErrorPrefix[] = "Tardo plugin: ";
inline constexpr char kLocationOpen[] = " [";
inline constexpr char kLocationClose[] = "]  ";
inline constexpr char kErrorEnd[] = "\r\n";

inline std::string BatchLocation(const std::string &file, const std::string &line) {
  return file + kLocationOpen + line + kLocationClose;
}

inline std::string ErrorLine(const std::string &message, const std::string &location = "") {
  return kErrorPrefix + location + message + kErrorEnd;
}

// The line confirming a scheduled command (the end-to-end command table):
// the opening, the moment "YYYY-MM-DD hh:mm", the closing, the command as
// given, the end.
inline constexpr char kScheduledOpen[] = "[";
inline constexpr char kScheduledClose[] = "]  ";
inline constexpr char kScheduledEnd[] = "\n";

inline std::string ScheduledLine(const std::string &moment, const std::string &command) {
  return kScheduledOpen + moment + kScheduledClose + command + kScheduledEnd;
}

// The job list (job_list_test): a pending job's line is its name and the
// separator, then the moment as the confirmation line shows it and, where
// the working folder is not the shell's, that folder between its opening
// and closing, then the command; one line when no job is pending.
inline constexpr char kJobNameEnd[] = "  ";
inline constexpr char kJobFolderOpen[] = "in \"";
inline constexpr char kJobFolderClose[] = "\"  ";
inline constexpr char kNoPendingJobs[] = "No pending Tardo jobs\n";

inline std::string JobLine(const std::string &name, const std::string &moment,
                           const std::string &command, const std::string &folder = "") {
  return name + kJobNameEnd + kScheduledOpen + moment + kScheduledClose +
         (folder.empty() ? "" : kJobFolderOpen + folder + kJobFolderClose) + command +
         kScheduledEnd;
}

// Deleting (job_list_test): one job, confirmed by its name; every one, by
// their count, "job" for one and "jobs" otherwise.
inline constexpr char kDeletedOpen[] = "Deleted ";
inline constexpr char kDeletedCountEnd[] = " Tardo job";
inline constexpr char kDeletedEnd[] = "\n";

inline std::string DeletedLine(const std::string &name) {
  return kDeletedOpen + name + kDeletedEnd;
}

inline std::string DeletedCountLine(int count) {
  return kDeletedOpen + std::to_string(count) + kDeletedCountEnd + (count == 1 ? "" : "s") +
         kDeletedEnd;
}

// The Schedule service's states as the stand-in service manager plays them
// (scheduler_service_test): IsSchedulerRunning's result (1 only for
// running), and the queries and handle closes it makes on the way.
struct SchedulerState {
  const char *state;
  int result;
  int queries;
  int closes;
};
inline constexpr SchedulerState kSchedulerStates[] = {
    {"running", 1, 1, 2}, {"stopped", 0, 1, 2},    {"paused", 0, 1, 2},   {"starting", 0, 1, 2},
    {"absent", -2, 0, 1}, {"nomanager", -1, 0, 0}, {"noquery", -3, 1, 2},
};

// The scheduler calls that make a job, in order (schedule_command_test, which
// fails each in turn and holds the line that names it).
inline constexpr const char *kCallsOfAJob[] = {
    "CoCreateInstance", "NewWorkItem",           "SetApplicationName", "SetWorkingDirectory",
    "SetParameters",    "SetAccountInformation", "SetFlags",           "CreateTrigger",
    "SetTrigger",       "AddWorkItem",
};
