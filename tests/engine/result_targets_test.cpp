// Every kind of thing a result path can name, written to once: what the write
// comes to, what becomes of the file it lands in, and that nothing else in the
// folder changes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
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

// What becomes of the file the write lands in.
enum class Landing { kNone, kCreated, kReplaced, kInPlace, kAppended, kUntouched };

struct TargetCase {
  const char* name;
  std::string path;  // what is written to: under the folder, or absolute
  std::function<void(const TempFolder&)> prepare;
  std::string outcome;    // what writeLines() comes to
  std::string file = {};  // where the write lands, under the folder
  Landing landing = Landing::kNone;
  bool asNobody = false;  // written by user nobody (the folder made reachable)
  std::function<void(const TempFolder&)> childSetup = nullptr;  // in a child, before writing
  bool needsFileFlags = false;  // append-only/immutable flags: a file system that has them
};

void PrintTo(const TargetCase& c, std::ostream* out) { *out << c.name; }

// An earlier result, longer than the new one: an overwrite must cut it.
const std::string kOld = "an earlier result, longer than the new one\n";

std::string existing(const TempFolder& f, const std::string& name, mode_t mode = 0644) {
  const std::string path = f.file(name);
  writeBytes(path, kOld);
  ::chmod(path.c_str(), mode);
  return path;
}

// Gives `path` (a link itself, not what it names) to another owner.
void own(const std::string& path, uid_t owner = kNobody, gid_t group = kNobody) {
  if (::lchown(path.c_str(), owner, group) != 0) throw Skip{"needs root to give files away"};
}

void subfolder(const TempFolder& f, mode_t mode) {
  fs::create_directory(f.file("d"));
  ::chmod(f.file("d").c_str(), mode);
}

void link(const TempFolder& f, const std::string& to, const std::string& name) {
  fs::create_symlink(to, f.file(name));
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

void withFlags(const std::string& path, int flags) {
  if (!setFileFlags(path, flags, true)) throw Skip{"cannot set file flags on " + path};
}

void deviceNode(const TempFolder& f, const char* name, mode_t type, int major, int minor) {
  if (::mknod(f.file(name).c_str(), type | 0666, makedev(major, minor)) != 0) {
    throw Skip{std::string("cannot make a device node: ") + std::strerror(errno)};
  }
}

void unixSocket(const TempFolder& f) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, f.file("socket").c_str(), sizeof address.sun_path - 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::close(fd);  // the socket file stays
}

// In the child: `name` under the folder opened with `flags` as descriptor `fd`.
std::function<void(const TempFolder&)> openAs(const char* name, int flags, int fd) {
  return [=](const TempFolder& f) {
    const int opened = ::open(f.file(name).c_str(), flags);
    ::dup2(opened, fd);
    if (opened != fd) ::close(opened);
  };
}

// An access ACL: owner rw, user nobody r, group r, mask r, others none.
std::string aclBytes() {
  const std::uint32_t entries[][2] = {{0x01 | 6 << 16, ~0u},
                                      {0x02 | 4 << 16, kNobody},
                                      {0x04 | 4 << 16, ~0u},
                                      {0x10 | 4 << 16, ~0u},
                                      {0x20, ~0u}};  // tag | permissions << 16, id
  const std::uint32_t version = 2;
  return std::string(reinterpret_cast<const char*>(&version), 4) +
         std::string(reinterpret_cast<const char*>(entries), sizeof entries);
}

// Another user's file with a user attribute and an ACL.
void withAttributes(const TempFolder& f) {
  const std::string path = existing(f, "pi.txt", 0640);
  own(path);
  const std::string acl = aclBytes();
  if (::setxattr(path.c_str(), "user.note", "kept", 4, 0) != 0 ||
      ::setxattr(path.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0) {
    throw Skip{std::string("no user attributes or ACLs here: ") + std::strerror(errno)};
  }
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
  if (landing == Landing::kUntouched) return kOld;
  return landing == Landing::kAppended ? kOld + kWrittenBytes : kWrittenBytes;
}

using L = Landing;
const std::string kRefusedFlags = "refused: append-only or immutable";

const std::vector<TargetCase>& targetCases() {
  static const std::vector<TargetCase> cases = {
      // Regular files.
      {"a_new_file_may_have_the_longest_name_the_folder_holds", std::string(255, 'n'), nullptr,
       "written", std::string(255, 'n'), L::kCreated},
      {"a_longer_name_is_refused", std::string(256, 'n'), nullptr,
       "cannot create: File name too long"},
      {"a_missing_folder_is_reported", "missing/pi.txt", nullptr,
       "cannot create: No such file or directory"},
      {"another_users_file_keeps_owner_mode_and_attributes", "pi.txt", withAttributes, "written",
       "pi.txt", L::kReplaced},
      {"a_file_with_two_names_is_overwritten_in_place", "a.txt",
       [](auto& f) { fs::create_hard_link(existing(f, "a.txt"), f.file("b.txt")); }, "written",
       "b.txt", L::kInPlace},
      // User nobody writing in folder d.
      {"ones_own_file_is_replaced", "d/pi.txt",
       [](auto& f) {
         subfolder(f, 0777);
         own(existing(f, "d/pi.txt"));
       },
       "written", "d/pi.txt", L::kReplaced, true},
      {"another_users_writable_file_is_overwritten_in_place", "d/pi.txt",
       [](auto& f) {
         subfolder(f, 0777);
         existing(f, "d/pi.txt", 0666);
       },
       "written", "d/pi.txt", L::kInPlace, true},
      {"a_file_of_a_group_one_is_not_in_is_overwritten_in_place", "d/pi.txt",
       [](auto& f) {
         subfolder(f, 0777);
         own(existing(f, "d/pi.txt", 0664), kNobody, 0);
       },
       "written", "d/pi.txt", L::kInPlace, true},
      {"ones_own_file_in_a_read_only_folder_is_overwritten_in_place", "d/pi.txt",
       [](auto& f) {
         subfolder(f, 0555);
         own(existing(f, "d/pi.txt"));
       },
       "written", "d/pi.txt", L::kInPlace, true},
      {"a_new_file_in_a_read_only_folder_is_refused", "d/pi.txt",
       [](auto& f) { subfolder(f, 0555); }, "cannot create: Permission denied", "", L::kNone, true},
      {"a_read_only_file_is_refused", "d/pi.txt",
       [](auto& f) {
         subfolder(f, 0777);
         own(existing(f, "d/pi.txt", 0444));
       },
       "cannot create: Permission denied", "d/pi.txt", L::kUntouched, true},
      // Append-only and immutable files and folders.
      {"an_append_only_file_is_refused", "pi.txt",
       [](auto& f) { withFlags(existing(f, "pi.txt"), FS_APPEND_FL); }, kRefusedFlags, "pi.txt",
       L::kUntouched, false, nullptr, true},
      {"an_immutable_file_is_refused", "pi.txt",
       [](auto& f) { withFlags(existing(f, "pi.txt"), FS_IMMUTABLE_FL); }, kRefusedFlags, "pi.txt",
       L::kUntouched, false, nullptr, true},
      {"a_file_in_an_append_only_folder_is_overwritten_in_place", "d/pi.txt",
       [](auto& f) {
         subfolder(f, 0755);
         existing(f, "d/pi.txt");
         withFlags(f.file("d"), FS_APPEND_FL);
       },
       "written", "d/pi.txt", L::kInPlace, false, nullptr, true},
      {"a_new_file_in_an_append_only_folder_is_made", "d/pi.txt",
       [](auto& f) {
         subfolder(f, 0755);
         withFlags(f.file("d"), FS_APPEND_FL);
       },
       "written", "d/pi.txt", L::kCreated, false, nullptr, true},
      // Symbolic links stay; what they name is written.
      {"a_link_to_a_file", "link",
       [](auto& f) {
         existing(f, "real.txt");
         link(f, "real.txt", "link");
       },
       "written", "real.txt", L::kReplaced},
      {"a_dangling_chain_across_folders_creates_the_file_it_ends_at", "a",
       [](auto& f) {
         fs::create_directory(f.file("sub"));
         link(f, "sub/b", "a");
         link(f, f.file("c"), "sub/b");  // absolute
       },
       "written", "c", L::kCreated},
      {"a_link_loop_is_reported", "a",
       [](auto& f) {
         link(f, "b", "a");
         link(f, "a", "b");
       },
       "cannot create: Too many levels of symbolic links"},
      {"another_users_link_in_a_sticky_shared_folder_is_refused", "d/link",
       [](auto& f) {
         existing(f, "real.txt");
         subfolder(f, 01777);
         link(f, "../real.txt", "d/link");
         own(f.file("d/link"));
       },
       "refused: untrusted link", "real.txt", L::kUntouched},
      {"the_folder_owners_link_in_a_sticky_shared_folder_is_followed", "d/link",
       [](auto& f) {
         existing(f, "real.txt");
         subfolder(f, 01777);
         own(f.file("d"));
         link(f, "../real.txt", "d/link");
         own(f.file("d/link"));
       },
       "written", "real.txt", L::kReplaced},
      // Pipes, devices, sockets, folders: each stays what it was.
      {"a_pipe_without_a_reader_is_refused", "fifo",
       [](auto& f) { ::mkfifo(f.file("fifo").c_str(), 0644); }, "refused: no pipe reader"},
      {"the_null_device_takes_the_result", "null",
       [](auto& f) { deviceNode(f, "null", S_IFCHR, 1, 3); }, "written"},
      {"a_full_device_is_reported_while_writing", "full",
       [](auto& f) { deviceNode(f, "full", S_IFCHR, 1, 7); },
       "cannot write: No space left on device"},
      {"a_block_device_is_refused", "block", [](auto& f) { deviceNode(f, "block", S_IFBLK, 7, 0); },
       "refused: block device"},
      {"a_socket_is_refused", "socket", unixSocket, "refused: socket"},
      {"a_folder_is_refused", "d", [](auto& f) { subfolder(f, 0755); }, "refused: folder"},
      // Descriptors the process has open: written through, not replaced.
      {"dev_fd_appends_through_the_descriptor", "/dev/fd/9",
       [](auto& f) { existing(f, "out.txt"); }, "written", "out.txt", L::kAppended, false,
       openAs("out.txt", O_WRONLY | O_APPEND, 9)},
      {"proc_self_fd_appends_through_the_descriptor", "/proc/self/fd/9",
       [](auto& f) { existing(f, "out.txt"); }, "written", "out.txt", L::kAppended, false,
       openAs("out.txt", O_WRONLY | O_APPEND, 9)},
      {"dev_stdout_appends_to_a_redirected_output", "/dev/stdout",  // -o /dev/stdout >> out.txt
       [](auto& f) { existing(f, "out.txt"); }, "written", "out.txt", L::kAppended, false,
       openAs("out.txt", O_WRONLY | O_APPEND, 1)},
      {"a_descriptor_not_open_is_refused", "/dev/fd/9", nullptr, "refused: descriptor not writable",
       "", L::kNone, false, [](auto&) { ::close(9); }},
      {"a_descriptor_open_for_reading_is_refused", "/dev/fd/9",
       [](auto& f) { existing(f, "out.txt"); }, "refused: descriptor not writable", "out.txt",
       L::kUntouched, false, openAs("out.txt", O_RDONLY, 9)},
  };
  return cases;
}

// A folder whose file system has append-only and immutable flags: the
// system's temporary folder, else the working folder.
std::optional<fs::path> folderWithFileFlags() {
  for (const fs::path& base : {fs::temp_directory_path(), fs::current_path()}) {
    TempFolder probe(base);
    writeBytes(probe.file("probe"), "");
    if (setFileFlags(probe.file("probe"), FS_APPEND_FL, true)) {
      setFileFlags(probe.file("probe"), FS_APPEND_FL, false);
      return base;
    }
  }
  return std::nullopt;
}

class ResultTargets : public testing::TestWithParam<TargetCase> {};

TEST_P(ResultTargets, the_target_is_written_or_refused_and_nothing_else_changes) {
  const TargetCase& c = GetParam();
  if (c.asNobody && ::geteuid() != 0) GTEST_SKIP() << "needs root to switch to user nobody";
  const auto base = c.needsFileFlags ? folderWithFileFlags() : fs::temp_directory_path();
  if (!base) GTEST_SKIP() << "no folder here has append-only/immutable flags";
  TempFolder folder(*base);
  ::chmod(folder.path().c_str(), 0755);  // reachable by nobody
  try {
    if (c.prepare) c.prepare(folder);
  } catch (const Skip& skip) {
    GTEST_SKIP() << skip.reason;
  }
  const std::string path = folder.file(c.path), file = folder.file(c.file);
  const struct stat before = statOf(file);
  const auto attributes = attributesOf(file);
  std::set<std::string> names = listing(folder.path());
  if (c.landing == L::kCreated) names.insert(c.file);

  const bool child = c.asNobody || c.childSetup;
  EXPECT_EQ(!child ? writeLines(path)
                   : inChild(c.asNobody,
                             [&] {
                               if (c.childSetup) c.childSetup(folder);
                               return writeLines(path);
                             }),
            c.outcome);
  if (c.landing != L::kNone) {
    EXPECT_EQ(readBytes(file), contentAfter(c.landing));
  }
  if (c.landing != L::kNone && c.landing != L::kCreated) {
    EXPECT_EQ(statOf(file).st_ino != before.st_ino, c.landing == L::kReplaced) << "a new inode";
    EXPECT_EQ(attributesOf(file), attributes);
  }
  if (c.needsFileFlags) {  // cleared so that the folder can be removed
    for (const auto& entry : fs::recursive_directory_iterator(folder.path())) {
      setFileFlags(entry.path().string(), FS_APPEND_FL | FS_IMMUTABLE_FL, false);
    }
  }
  EXPECT_EQ(listing(folder.path()), names);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ResultTargets, testing::ValuesIn(targetCases()),
                         [](const testing::TestParamInfo<TargetCase>& info) {
                           return info.param.name;
                         });

// A write that fails after a few bytes, as a full disk would.
std::size_t bytesBeforeFailure = 0;
ssize_t failingWrite(int fd, const void* data, size_t size) {
  if (size > bytesBeforeFailure) return errno = ENOSPC, -1;
  bytesBeforeFailure -= size;
  return ::write(fd, data, size);
}

// Through an unnamed temporary file or one named beside the target.
TEST(ResultFile, the_earlier_file_stays_until_a_successful_commit_and_nothing_else_is_left) {
  for (const bool unnamed : {true, false}) {
    SCOPED_TRACE(unnamed ? "unnamed" : "named");
    TempFolder folder;
    const std::string path = existing(folder, "pi.txt", 0640);
    ResultFileOptions options;
    options.allowUnnamed = unnamed;
    {
      ResultFile abandoned(path, options);
      abandoned.writeLine("never committed");
    }
    ResultFileOptions failing = options;
    failing.write = &failingWrite;
    bytesBeforeFailure = 10;
    EXPECT_EQ(writeLines(path, failing, 10000, "3.1415926535  8979323846"),
              "cannot write: No space left on device");
    EXPECT_EQ(readBytes(path), kOld);
    EXPECT_EQ(listing(folder.path()), std::set<std::string>{"pi.txt"});
    EXPECT_EQ(writeLines(path, options), "written");
    EXPECT_EQ(readBytes(path), kWrittenBytes);
    EXPECT_EQ(statOf(path).st_mode & 07777, 0640u);
    EXPECT_EQ(listing(folder.path()), std::set<std::string>{"pi.txt"});
  }
}

}  // namespace
}  // namespace zembra::test
