// Turns fuzz input into a zero-terminated wide text. Input that starts with
// byte 0xFF is read as UTF-16LE units (any code the host could pass);
// otherwise each byte is one Latin-1 character, so seeds stay readable, with
// bytes 1 to 4 standing for a few codes beyond it that C libraries classify
// differently.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

inline std::vector<wchar_t> FuzzText(const std::uint8_t *data, std::size_t size) {
  static constexpr wchar_t kSpecials[] = {L'\u0085', L'\u3000', L'\uff10', L'\u0660'};
  std::vector<wchar_t> text;
  if (size > 0 && data[0] == 0xFF) {
    for (std::size_t i = 1; i + 1 < size; i += 2)
      text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  } else {
    for (std::size_t i = 0; i < size; ++i)
      text.push_back(data[i] >= 1 && data[i] <= 4 ? kSpecials[data[i] - 1]
                                                  : static_cast<wchar_t>(data[i]));
  }
  text.push_back(L'\0');
  return text;
}
