// Captures what the host's output services write to standard output or
// standard error during a test, byte for byte.
#pragma once

#include <string>

enum class Stream { Output, Error };

class Capture {
 public:
  explicit Capture(Stream stream);
  ~Capture();
  Capture(const Capture &) = delete;
  Capture &operator=(const Capture &) = delete;
  // Stops capturing (once) and returns every byte written meanwhile.
  std::string Finish();

 private:
  Stream stream_;
  std::string path_;
  bool active_ = false;
#ifdef _WIN32
  void *saved_ = nullptr;
  void *file_ = nullptr;
#else
  int saved_ = -1;
#endif
};

// What one call returned and wrote.
struct Outcome {
  int result;
  std::string out;
  std::string err;
};

template <typename Call>
Outcome Captured(Call call) {
  Capture out(Stream::Output);
  Capture err(Stream::Error);
  const int result = call();
  std::string errText = err.Finish();
  return {result, out.Finish(), errText};
}
