// The text record of a job: one "Key=value" line per setting, UTF-8, LF
// line ends. The stand-in scheduler writes its job files this way and the
// job reader (tests/tools) prints real jobs this way, so tests read both
// alike. Keys: Name, Application, Parameters, WorkingDirectory, Account,
// Password (null, empty or given), Flags (0x%08x), TriggerCount, and per
// trigger N "TriggerN.<TASK_TRIGGER field>" in decimal. Values escape
// backslash as \\, line feed as \n, carriage return as \r and any other
// control character as \xHH. Plain C++, usable on every platform.
#pragma once

#include <cstdio>
#include <map>
#include <string>

#include "hostapi/win_api.h"

inline std::string EscapeRecordValue(const std::string &utf8) {
  std::string out;
  for (const char byte : utf8) {
    const auto code = static_cast<unsigned char>(byte);
    if (byte == '\\') {
      out += "\\\\";
    } else if (byte == '\n') {
      out += "\\n";
    } else if (byte == '\r') {
      out += "\\r";
    } else if (code < 0x20 || code == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", code);
      out += hex;
    } else {
      out += byte;
    }
  }
  return out;
}

inline std::string UnescapeRecordValue(const std::string &text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char kind = text[++i];
    if (kind == 'n') {
      out += '\n';
    } else if (kind == 'r') {
      out += '\r';
    } else if (kind == 'x' && i + 2 < text.size()) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += kind;
    }
  }
  return out;
}

// Every key of a record with its unescaped value.
inline std::map<std::string, std::string> ParseRecord(const std::string &text) {
  std::map<std::string, std::string> record;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos)
      record[line.substr(0, equals)] = UnescapeRecordValue(line.substr(equals + 1));
    at = end + 1;
  }
  return record;
}

// The lines "TriggerN.<field>=value" of one trigger record.
inline std::string TriggerRecordLines(int index, const TASK_TRIGGER &t) {
  const struct {
    const char *field;
    unsigned value;
  } fields[] = {
      {"cbTriggerSize", t.cbTriggerSize},     {"Reserved1", t.Reserved1},
      {"wBeginYear", t.wBeginYear},           {"wBeginMonth", t.wBeginMonth},
      {"wBeginDay", t.wBeginDay},             {"wEndYear", t.wEndYear},
      {"wEndMonth", t.wEndMonth},             {"wEndDay", t.wEndDay},
      {"wStartHour", t.wStartHour},           {"wStartMinute", t.wStartMinute},
      {"MinutesDuration", static_cast<unsigned>(t.MinutesDuration)},
      {"MinutesInterval", static_cast<unsigned>(t.MinutesInterval)},
      {"rgFlags", static_cast<unsigned>(t.rgFlags)},
      {"TriggerType", static_cast<unsigned>(t.TriggerType)},
      {"Type.MonthlyDate.rgfDays", static_cast<unsigned>(t.Type.MonthlyDate.rgfDays)},
      {"Type.MonthlyDate.rgfMonths", t.Type.MonthlyDate.rgfMonths},
      {"Reserved2", t.Reserved2},             {"wRandomMinutesInterval", t.wRandomMinutesInterval},
  };
  std::string lines;
  for (const auto &f : fields) {
    char line[96];
    std::snprintf(line, sizeof line, "Trigger%d.%s=%u\n", index, f.field, f.value);
    lines += line;
  }
  return lines;
}
