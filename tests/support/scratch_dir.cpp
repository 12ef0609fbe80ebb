#include "support/scratch_dir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace nb::test {

ScratchDir::ScratchDir() {
  char pattern[] = "/tmp/nimbara-test-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
  previous_ = std::filesystem::current_path().string();
  std::filesystem::current_path(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
  std::filesystem::remove_all(path_, ignored);
}

void ScratchDir::Write(const std::string& name, const std::string& bytes) const {
  std::filesystem::path file = File(name);
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ScratchDir::Read(const std::string& name) const {
  std::ifstream in(File(name), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool ScratchDir::Exists(const std::string& name) const { return std::filesystem::exists(File(name)); }

CapturedMessages::CapturedMessages() {
  previous_ = SetMessageBoxSink([this](const MessageBoxCall& call) { calls_.push_back(call); });
}

CapturedMessages::~CapturedMessages() { SetMessageBoxSink(previous_); }

std::vector<std::string> CapturedMessages::texts() const {
  std::vector<std::string> result;
  for (const MessageBoxCall& call : calls_) result.push_back(call.text);
  return result;
}

std::string Int32Bytes(int value) {
  auto v = static_cast<unsigned>(value);
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return bytes;
}

}  // namespace nb::test
