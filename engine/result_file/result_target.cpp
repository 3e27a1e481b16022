#include "engine/result_file/result_target.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "engine/result_file/link_chain.h"
#include "engine/result_file/path_parts.h"
#include "engine/run_error.h"
#include "engine/result_file/system_call.h"

namespace zembra {
namespace {

using Refusal = RunError::Refusal;

ResultTarget descriptorTarget(const std::string& given, int descriptor) {
  const int flags = ::fcntl(descriptor, F_GETFL);
  if (flags < 0) throw RunError::refused(given, Refusal::DescriptorNotWritable, EBADF);
  const int access = flags & O_ACCMODE;
  if (access != O_WRONLY && access != O_RDWR) {
    throw RunError::refused(given, Refusal::DescriptorNotWritable, EBADF);
  }
  ResultTarget target;
  target.type = ResultTarget::Type::Descriptor;
  target.path = given;
  target.descriptor = descriptor;
  return target;
}

// A name that does not exist yet must be one the folder can hold.
ResultTarget newFileTarget(const std::string& path) {
  const std::string name = nameOf(path);
  if (path.empty()) throwSystemError(ENOENT);
  if (name.empty() || name == "." || name == "..") throwSystemError(EISDIR);
  const long nameMax = ::pathconf(folderOf(path).c_str(), _PC_NAME_MAX);
  if (nameMax > 0 && name.size() > static_cast<std::size_t>(nameMax)) throwSystemError(ENAMETOOLONG);
  ResultTarget target;
  target.type = ResultTarget::Type::NewFile;
  target.path = path;
  return target;
}

ResultTarget::Type typeOf(const std::string& given, mode_t mode) {
  switch (mode & S_IFMT) {
    case S_IFREG:
      return ResultTarget::Type::RegularFile;
    case S_IFIFO:
    case S_IFCHR:
      return ResultTarget::Type::Stream;
    case S_IFDIR:
      throw RunError::refused(given, Refusal::Folder, EISDIR);
    case S_IFBLK:
      throw RunError::refused(given, Refusal::BlockDevice);
    case S_IFSOCK:
      throw RunError::refused(given, Refusal::Socket);
    default:
      throw RunError::refused(given, Refusal::UnknownType);
  }
}

}  // namespace

ResultTarget classifyTarget(const std::string& path) {
  const LinkChainEnd end = followLinkChain(path);
  if (end.untrusted) throw RunError::refused(path, Refusal::UntrustedLink, EACCES);
  if (end.descriptor) return descriptorTarget(path, *end.descriptor);
  ResultTarget target;
  if (::stat(end.path.c_str(), &target.info) != 0) {
    if (errno != ENOENT) throwSystemError(errno);
    return newFileTarget(end.path);
  }
  target.type = typeOf(path, target.info.st_mode);
  target.path = end.path;
  return target;
}

}  // namespace zembra
