#include "tests/support/capture.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

std::string TemporaryPath() {
  static int serial = 0;
#ifdef _WIN32
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + "tardo-capture-" + std::to_string(GetCurrentProcessId()) + "-" +
         std::to_string(++serial) + ".txt";
#else
  return "/tmp/tardo-capture-" + std::to_string(getpid()) + "-" + std::to_string(++serial) + ".txt";
#endif
}

}  // namespace

Capture::Capture(Stream stream) : stream_(stream), path_(TemporaryPath()) {
#ifdef _WIN32
  const DWORD which = stream == Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE;
  saved_ = GetStdHandle(which);
  file_ = CreateFileA(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
  SetStdHandle(which, file_);
#else
  const int fd = stream == Stream::Output ? 1 : 2;
  std::fflush(stream == Stream::Output ? stdout : stderr);
  saved_ = dup(fd);
  const int file = open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  dup2(file, fd);
  close(file);
#endif
  active_ = true;
}

std::string Capture::Finish() {
  if (!active_) return {};
  active_ = false;
#ifdef _WIN32
  SetStdHandle(stream_ == Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE, saved_);
  CloseHandle(file_);
#else
  const int fd = stream_ == Stream::Output ? 1 : 2;
  dup2(saved_, fd);
  close(saved_);
#endif
  std::ifstream in(path_, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  std::remove(path_.c_str());
  return bytes;
}

Capture::~Capture() { Finish(); }
