#include "engine/result_file/result_file.h"

#include <unistd.h>

#include <system_error>

#include "engine/result_file/result_output_choice.h"
#include "engine/run_error.h"
#include "engine/result_file/shift_jis.h"

namespace zembra {
namespace {

constexpr std::size_t kFlushSize = 1 << 16;

ssize_t posixWrite(int fd, const void* data, size_t size) { return ::write(fd, data, size); }

}  // namespace

ResultFile::ResultFile(std::string path, ResultFileOptions options)
    : path_(std::move(path)), options_(std::move(options)) {
  if (!options_.write) options_.write = &posixWrite;
  try {
    output_ = chooseResultOutput(path_, options_);
  } catch (const std::system_error& error) {
    throw RunError::fileError(RunError::Kind::FileOpen, path_, error.code().value());
  }
}

ResultFile::~ResultFile() = default;

void ResultFile::writeLine(std::string_view utf8Text) {
  buffer_ += '"';
  buffer_ += toShiftJis(utf8Text);
  buffer_ += "\"\r\n";
  if (buffer_.size() >= kFlushSize) flush();
}

void ResultFile::flush() {
  try {
    output_->write(buffer_);
  } catch (const std::system_error& error) {
    throw RunError::fileError(RunError::Kind::FileWrite, path_, error.code().value());
  }
  buffer_.clear();
}

void ResultFile::commit() {
  flush();
  try {
    output_->commit();
  } catch (const std::system_error& error) {
    throw RunError::fileError(RunError::Kind::FileWrite, path_, error.code().value());
  }
}

}  // namespace zembra
