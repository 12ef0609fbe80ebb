#pragma once
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace nb::test {

// A fresh directory under /tmp that becomes the current directory for the
// life of the object (the game names every file relative to it) and is
// removed afterwards.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  void Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;
  bool Exists(const std::string& name) const;

 private:
  std::string path_;
  std::string previous_;
};

// Captures every message box shown while it lives.
class CapturedMessages {
 public:
  CapturedMessages();
  ~CapturedMessages();
  const std::vector<MessageBoxCall>& calls() const { return calls_; }
  std::vector<std::string> texts() const;

 private:
  std::vector<MessageBoxCall> calls_;
  MessageBoxSink previous_;
};

// Little-endian byte strings for building binary files in tests.
std::string Int32Bytes(int value);

}  // namespace nb::test
