// Every kind of thing a result path can name, written to once: what the write
// comes to, what becomes of the file it lands in, and that nothing else in the
// folder changes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>

#include <cstring>
#include <map>

#include "tests/engine/target_test_support.h"

namespace zembra::test {
namespace {

namespace fs = std::filesystem;

// Thrown by a case's preparation when this machine cannot run it.
struct Skip {
  std::string reason;
};

// What becomes of the file the write lands in: made; replaced by a new file or
// overwritten in place, keeping owner, mode and attributes either way;
// appended to; left as it was.
enum class Landing { kNone, kCreated, kReplaced, kInPlace, kAppended, kUntouched };
using L = Landing;

// One thing made in the folder before the write.
using Step = std::function<void(const TempFolder&)>;

struct TargetCase {
  const char* name;
  std::string path;  // what is written to: under the folder, or absolute
  std::vector<Step> steps;
  std::string outcome;    // what writeLines() comes to
  std::string file = {};  // where the write lands, under the folder
  Landing landing = L::kNone;
  bool asNobody = false;      // written by user nobody in a child process
  Step childSetup = nullptr;  // in a child process, before writing
  ResultFileOptions options = {};
};

void PrintTo(const TargetCase& c, std::ostream* out) { *out << c.name; }

// An earlier result, longer than the new one: an overwrite must cut it.
const std::string kOld = "an earlier result, longer than the new one\n";
const std::string kLongest(255, 'n');  // the longest name most file systems hold

// Gives `path` (a link itself, not what it names) to another owner; -1 keeps one.
void own(const std::string& path, uid_t owner, gid_t group) {
  if (owner == uid_t(-1) && group == gid_t(-1)) return;
  if (::geteuid() != 0 || ::lchown(path.c_str(), owner, group) != 0) {
    throw Skip{"needs root to give files away"};
  }
}

Step makeFile(std::string name, mode_t mode = 0644, uid_t owner = -1, gid_t group = -1) {
  return [=](const TempFolder& f) {
    writeBytes(f.file(name), kOld);
    ::chmod(f.file(name).c_str(), mode);
    own(f.file(name), owner, group);
  };
}

Step makeFolder(std::string name, mode_t mode = 0755, uid_t owner = -1) {
  return [=](const TempFolder& f) {
    fs::create_directory(f.file(name));
    ::chmod(f.file(name).c_str(), mode);
    own(f.file(name), owner, owner);
  };
}

// A link to `to`; "/c" stands for c in the folder, by its absolute path.
Step makeLink(std::string name, std::string to, uid_t owner = -1) {
  return [=](const TempFolder& f) {
    fs::create_symlink(to.front() == '/' ? f.file(to.substr(1)) : to, f.file(name));
    own(f.file(name), owner, owner);
  };
}

// A named pipe, a socket or a device node.
Step makeNode(std::string name, mode_t type, int major = 0, int minor = 0) {
  return [=](const TempFolder& f) {
    if (::mknod(f.file(name).c_str(), type | 0644, makedev(major, minor)) != 0) {
      throw Skip{std::string("cannot make a node: ") + std::strerror(errno)};
    }
  };
}

// Sets or clears FS_APPEND_FL/FS_IMMUTABLE_FL; false where the file system or
// the process cannot.
bool setFileFlags(const std::string& path, int flags, bool on) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  int current = 0;
  bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &current) == 0;
  current = on ? (current | flags) : (current & ~flags);
  done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &current) == 0;
  if (fd >= 0) ::close(fd);
  return done;
}

Step addFlags(std::string name, int flags) {
  return [=](const TempFolder& f) {
    if (!setFileFlags(f.file(name), flags, true)) throw Skip{"cannot set file flags here"};
  };
}

// A user attribute and an access ACL: owner rw, user nobody r, group r, mask
// r, others none (entries: tag | permissions << 16, id).
Step addAttributes(std::string name) {
  return [=](const TempFolder& f) {
    const std::uint32_t acl[] = {2,   0x01 | 6 << 16, ~0u, 0x02 | 4 << 16, kNobody, 0x04 | 4 << 16,
                                 ~0u, 0x10 | 4 << 16, ~0u, 0x20,           ~0u};
    if (::setxattr(f.file(name).c_str(), "user.note", "kept", 4, 0) != 0 ||
        ::setxattr(f.file(name).c_str(), "system.posix_acl_access", acl, sizeof acl, 0) != 0) {
      throw Skip{std::string("no user attributes or ACLs here: ") + std::strerror(errno)};
    }
  };
}

// In the child: `name` under the folder opened with `flags` as descriptor `fd`.
Step openAs(const char* name, int flags, int fd) {
  return [=](const TempFolder& f) {
    const int opened = ::open(f.file(name).c_str(), flags);
    ::dup2(opened, fd);
    if (opened != fd) ::close(opened);
  };
}

// Owner, group, mode and extended attributes (ACLs among them).
std::map<std::string, std::string> attributesOf(const std::string& path) {
  const struct stat info = statOf(path);
  std::map<std::string, std::string> attributes = {
      {"owner", std::to_string(info.st_uid) + ":" + std::to_string(info.st_gid)},
      {"mode", std::to_string(info.st_mode & 07777)}};
  char names[1024], value[256];
  const ssize_t length = ::listxattr(path.c_str(), names, sizeof names);
  for (ssize_t at = 0; at < length; at += ssize_t(std::strlen(names + at)) + 1) {
    const ssize_t size = ::getxattr(path.c_str(), names + at, value, sizeof value);
    attributes[names + at] = std::string(value, std::size_t(std::max<ssize_t>(size, 0)));
  }
  return attributes;
}

std::string contentAfter(Landing landing) {
  if (landing == L::kUntouched) return kOld;
  return landing == L::kAppended ? kOld + kWrittenBytes : kWrittenBytes;
}

// Through an unnamed temporary file or a named one, on a disk that is full or not.
ResultFileOptions options(bool unnamed, bool fullDisk) {
  ResultFileOptions options;
  options.allowUnnamed = unnamed;
  if (fullDisk)
    options.write = [](int, const void*, size_t) -> ssize_t { return errno = ENOSPC, -1; };
  return options;
}

// A case's steps, in order.
template <typename... Steps>
std::vector<Step> steps(Steps... made) {
  return {made...};
}

const bool kNobodyWrites = true;
const std::string kDone = "done";
const std::string kFull = "cannot write: No space left on device";

const std::vector<TargetCase>& targetCases() {
  static const std::vector<TargetCase> cases = {
      // Regular files.
      {"a_new_file_may_have_the_longest_name_the_folder_holds", kLongest, steps(), kDone, kLongest,
       L::kCreated},
      {"a_longer_name_is_refused", kLongest + "n", steps(), "cannot create: File name too long"},
      {"a_missing_folder_is_reported", "no/pi.txt", steps(),
       "cannot create: No such file or directory"},
      {"another_users_file_keeps_owner_mode_and_attributes", "pi.txt",
       steps(makeFile("pi.txt", 0640, kNobody, kNobody), addAttributes("pi.txt")), kDone, "pi.txt",
       L::kReplaced},
      {"a_named_temporary_file_replaces_a_file", "pi.txt", steps(makeFile("pi.txt", 0640)), kDone,
       "pi.txt", L::kReplaced, false, nullptr, options(false, false)},
      {"a_full_disk_leaves_the_earlier_file", "pi.txt", steps(makeFile("pi.txt", 0640)), kFull,
       "pi.txt", L::kUntouched, false, nullptr, options(true, true)},
      {"a_full_disk_leaves_the_earlier_file_with_a_named_temporary_file", "pi.txt",
       steps(makeFile("pi.txt", 0640)), kFull, "pi.txt", L::kUntouched, false, nullptr,
       options(false, true)},
      {"a_file_with_two_names_is_overwritten_in_place", "a.txt",
       steps(makeFile("a.txt"),
             [](auto& f) { fs::create_hard_link(f.file("a.txt"), f.file("b.txt")); }),
       kDone, "b.txt", L::kInPlace},
      // User nobody writing in folder d.
      {"ones_own_file_is_replaced", "d/pi.txt",
       steps(makeFolder("d", 0777), makeFile("d/pi.txt", 0644, kNobody, kNobody)), kDone,
       "d/pi.txt", L::kReplaced, kNobodyWrites},
      {"another_users_writable_file_is_overwritten_in_place", "d/pi.txt",
       steps(makeFolder("d", 0777), makeFile("d/pi.txt", 0666)), kDone, "d/pi.txt", L::kInPlace,
       kNobodyWrites},
      {"ones_own_file_in_a_read_only_folder_is_overwritten_in_place", "d/pi.txt",
       steps(makeFolder("d", 0555), makeFile("d/pi.txt", 0644, kNobody, kNobody)), kDone,
       "d/pi.txt", L::kInPlace, kNobodyWrites},
      {"a_new_file_in_a_read_only_folder_is_refused", "d/pi.txt", steps(makeFolder("d", 0555)),
       "cannot create: Permission denied", "", L::kNone, kNobodyWrites},
      {"a_read_only_file_is_refused", "d/pi.txt",
       steps(makeFolder("d", 0777), makeFile("d/pi.txt", 0444, kNobody, kNobody)),
       "cannot create: Permission denied", "d/pi.txt", L::kUntouched, kNobodyWrites},
      // Append-only and immutable files and folders.
      {"an_append_only_file_is_refused", "pi.txt",
       steps(makeFile("pi.txt"), addFlags("pi.txt", FS_APPEND_FL)),
       "refused: append-only or immutable", "pi.txt", L::kUntouched},
      {"an_immutable_file_is_refused", "pi.txt",
       steps(makeFile("pi.txt"), addFlags("pi.txt", FS_IMMUTABLE_FL)),
       "refused: append-only or immutable", "pi.txt", L::kUntouched},
      {"a_file_in_an_append_only_folder_is_overwritten_in_place", "d/pi.txt",
       steps(makeFolder("d"), makeFile("d/pi.txt"), addFlags("d", FS_APPEND_FL)), kDone, "d/pi.txt",
       L::kInPlace},
      {"a_new_file_in_an_append_only_folder_is_made", "d/pi.txt",
       steps(makeFolder("d"), addFlags("d", FS_APPEND_FL)), kDone, "d/pi.txt", L::kCreated},
      // Symbolic links stay; what they name is written.
      {"a_link_to_a_file", "link", steps(makeFile("real.txt"), makeLink("link", "real.txt")), kDone,
       "real.txt", L::kReplaced},
      {"a_dangling_chain_across_folders_creates_the_file_it_ends_at", "a",
       steps(makeFolder("sub"), makeLink("a", "sub/b"), makeLink("sub/b", "/c")), kDone, "c",
       L::kCreated},
      {"a_link_loop_is_reported", "a", steps(makeLink("a", "b"), makeLink("b", "a")),
       "cannot create: Too many levels of symbolic links"},
      {"another_users_link_in_a_sticky_shared_folder_is_refused", "d/link",
       steps(makeFile("real.txt"), makeFolder("d", 01777),
             makeLink("d/link", "../real.txt", kNobody)),
       "refused: untrusted link", "real.txt", L::kUntouched},
      {"the_folder_owners_link_in_a_sticky_shared_folder_is_followed", "d/link",
       steps(makeFile("real.txt"), makeFolder("d", 01777, kNobody),
             makeLink("d/link", "../real.txt", kNobody)),
       kDone, "real.txt", L::kReplaced},
      // Pipes, devices, sockets, folders: each stays what it was.
      {"a_pipe_without_a_reader_is_refused", "fifo", steps(makeNode("fifo", S_IFIFO)),
       "refused: no pipe reader"},
      {"a_full_device_is_reported_while_writing", "full", steps(makeNode("full", S_IFCHR, 1, 7)),
       "cannot write: No space left on device"},
      {"a_block_device_is_refused", "block", steps(makeNode("block", S_IFBLK, 7, 0)),
       "refused: block device"},
      {"a_socket_is_refused", "socket", steps(makeNode("socket", S_IFSOCK)), "refused: socket"},
      {"a_folder_is_refused", "d", steps(makeFolder("d")), "refused: folder"},
      // Descriptors the process has open: written through, not replaced.
      {"dev_fd_appends_through_the_descriptor", "/dev/fd/9", steps(makeFile("out.txt")), kDone,
       "out.txt", L::kAppended, false, openAs("out.txt", O_WRONLY | O_APPEND, 9)},
      {"proc_self_fd_appends_through_the_descriptor", "/proc/self/fd/9", steps(makeFile("out.txt")),
       kDone, "out.txt", L::kAppended, false, openAs("out.txt", O_WRONLY | O_APPEND, 9)},
      {"dev_stdout_appends_to_a_redirected_output",
       "/dev/stdout",  // -o /dev/stdout >> out.txt
       steps(makeFile("out.txt")), kDone, "out.txt", L::kAppended, false,
       openAs("out.txt", O_WRONLY | O_APPEND, 1)},
      {"a_descriptor_not_open_is_refused", "/dev/fd/9", steps(), "refused: descriptor not writable",
       "", L::kNone, false, [](auto&) { ::close(9); }},
      {"a_descriptor_open_for_reading_is_refused", "/dev/fd/9", steps(makeFile("out.txt")),
       "refused: descriptor not writable", "out.txt", L::kUntouched, false,
       openAs("out.txt", O_RDONLY, 9)},
  };
  return cases;
}

class ResultTargets : public testing::TestWithParam<TargetCase> {};

TEST_P(ResultTargets, the_target_is_written_or_refused_and_nothing_else_changes) {
  const TargetCase& c = GetParam();
  if (c.asNobody && ::geteuid() != 0) GTEST_SKIP() << "needs root to switch to user nobody";
  TempFolder folder;
  ::chmod(folder.path().c_str(), 0755);  // reachable by nobody
  try {
    for (const Step& step : c.steps) step(folder);
  } catch (const Skip& skip) {
    GTEST_SKIP() << skip.reason;
  }
  const std::string path = folder.file(c.path), file = folder.file(c.file);
  const struct stat before = statOf(file);
  const auto attributes = attributesOf(file);
  std::set<std::string> names = listing(folder.path());
  if (c.landing == L::kCreated) names.insert(c.file);

  const auto write = [&] {
    if (c.childSetup) c.childSetup(folder);
    return writeLines(path, c.options);
  };
  EXPECT_EQ(c.asNobody || c.childSetup ? inChild(c.asNobody, write) : write(), c.outcome);
  if (c.landing != L::kNone) {
    EXPECT_EQ(readBytes(file), contentAfter(c.landing));
  }
  if (c.landing != L::kNone && c.landing != L::kCreated) {
    EXPECT_EQ(statOf(file).st_ino != before.st_ino, c.landing == L::kReplaced) << "a new inode";
    EXPECT_EQ(attributesOf(file), attributes);
  }
  for (const auto& entry : fs::recursive_directory_iterator(folder.path())) {
    const mode_t type = statOf(entry.path()).st_mode & S_IFMT;  // no device opened
    if (type == S_IFREG || type == S_IFDIR) {  // flags cleared so that the folder can be removed
      setFileFlags(entry.path().string(), FS_APPEND_FL | FS_IMMUTABLE_FL, false);
    }
  }
  EXPECT_EQ(listing(folder.path()), names);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ResultTargets, testing::ValuesIn(targetCases()),
                         [](const testing::TestParamInfo<TargetCase>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace zembra::test
