// The text record of a job: a JSON object of texts, one "key": "value"
// pair a line, UTF-8. The stand-in scheduler writes its job files this way
// and the job reader (tests/tools) prints real jobs this way, so tests read
// both alike: C++ with ParseRecord, Python with its json module. Keys: Name,
// Application, Parameters, WorkingDirectory, Account, Password (null, empty
// or given), Flags (0x%08x), TriggerCount, and per trigger N
// "TriggerN.<TASK_TRIGGER field>" in decimal. Plain C++, usable on every
// platform.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <mstask.h>
#include <windows.h>

using RecordFields = std::vector<std::pair<std::string, std::string>>;

// A JSON string: quote and backslash escaped, control characters as \u00XX.
inline std::string RecordText(const std::string &utf8) {
  std::string out = "\"";
  for (const char byte : utf8) {
    if (byte == '"' || byte == '\\') {
      out += '\\';
      out += byte;
    } else if (static_cast<unsigned char>(byte) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(byte));
      out += escaped;
    } else {
      out += byte;
    }
  }
  return out + "\"";
}

inline std::string FormatRecord(const RecordFields &fields) {
  std::string text = "{";
  for (const auto &[key, value] : fields)
    text += (text.size() > 1 ? ",\n  " : "\n  ") + RecordText(key) + ": " + RecordText(value);
  return text + "\n}\n";
}

// Calls visit(name, field) for every field of a trigger, in the record's
// order; the one list that writing and reading a record share.
template <typename Trigger, typename Visit>
void ForEachTriggerField(Trigger &t, Visit visit) {
  visit("cbTriggerSize", t.cbTriggerSize);
  visit("Reserved1", t.Reserved1);
  visit("wBeginYear", t.wBeginYear);
  visit("wBeginMonth", t.wBeginMonth);
  visit("wBeginDay", t.wBeginDay);
  visit("wEndYear", t.wEndYear);
  visit("wEndMonth", t.wEndMonth);
  visit("wEndDay", t.wEndDay);
  visit("wStartHour", t.wStartHour);
  visit("wStartMinute", t.wStartMinute);
  visit("MinutesDuration", t.MinutesDuration);
  visit("MinutesInterval", t.MinutesInterval);
  visit("rgFlags", t.rgFlags);
  visit("TriggerType", t.TriggerType);
  visit("Type.MonthlyDate.rgfDays", t.Type.MonthlyDate.rgfDays);
  visit("Type.MonthlyDate.rgfMonths", t.Type.MonthlyDate.rgfMonths);
  visit("Reserved2", t.Reserved2);
  visit("wRandomMinutesInterval", t.wRandomMinutesInterval);
}

// The fields "TriggerN.<field>" of one trigger.
inline void AddTriggerFields(int index, const TASK_TRIGGER &t, RecordFields *fields) {
  ForEachTriggerField(t, [&](const char *field, const auto &value) {
    fields->emplace_back("Trigger" + std::to_string(index) + "." + field,
                         std::to_string(static_cast<unsigned>(value)));
  });
}

// The JSON string that opens at text[*at], as RecordText writes it; *at
// moves past its closing quote.
inline std::string ReadRecordText(const std::string &text, std::size_t *at) {
  std::string out;
  std::size_t i = *at + 1;
  for (; i < text.size() && text[i] != '"'; ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
    } else if (text[++i] == 'u' && i + 4 < text.size()) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 4), nullptr, 16));
      i += 4;
    } else {
      out += text[i];
    }
  }
  *at = i + 1;
  return out;
}

// Every key of a record with its value.
inline std::map<std::string, std::string> ParseRecord(const std::string &text) {
  std::map<std::string, std::string> record;
  std::size_t at = text.find('"');
  while (at != std::string::npos) {
    const std::string key = ReadRecordText(text, &at);
    if ((at = text.find('"', at)) == std::string::npos) break;
    record[key] = ReadRecordText(text, &at);
    at = text.find('"', at);
  }
  return record;
}
