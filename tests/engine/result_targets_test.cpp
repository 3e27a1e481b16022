// Every kind of thing a result path can name, written to once: what the write
// comes to, what the target is afterwards, and that nothing else is left in
// the folder.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/xattr.h>

#include <cstring>

#include "tests/engine/target_test_support.h"

namespace zembra::test {
namespace {

namespace fs = std::filesystem;

// Thrown by a case's preparation when this machine cannot run it.
struct Skip {
  std::string reason;
};

struct TargetCase {
  const char* name;
  // Makes the target under the folder and returns the path to write.
  std::function<std::string(const TempFolder&)> prepare;
  std::string expected;  // what writeNew() comes to
  // The target afterwards; `before` is its lstat right after preparing.
  std::function<void(const TempFolder&, const struct stat& before)> check;
  std::set<std::string> created = {};  // names the write adds under the folder
  bool asNobody = false;               // written by user nobody (the folder made reachable)
  std::function<void(const TempFolder&)> childSetup = nullptr;  // in the child, before writing
  bool needsFileFlags = false;         // chattr +a/+i: a folder whose file system has them
};

void PrintTo(const TargetCase& c, std::ostream* out) { *out << c.name; }

void requireRoot(const char* why) {
  if (::geteuid() != 0) throw Skip{std::string("needs root to ") + why};
}

// An earlier result, longer than the new one: an overwrite must cut it.
const std::string kOld = "an earlier result, longer than the new one\n";

std::string at(const TempFolder& folder, const std::string& name) { return folder.file(name); }

std::string existing(const TempFolder& folder, const std::string& name, mode_t mode = 0644) {
  const std::string path = at(folder, name);
  writeBytes(path, kOld);
  ::chmod(path.c_str(), mode);
  return path;
}

// A subfolder "d" with `mode`, reachable by nobody.
std::string subfolder(const TempFolder& folder, mode_t mode) {
  ::chmod(folder.path().c_str(), 0755);
  const std::string path = at(folder, "d");
  fs::create_directory(path);
  ::chmod(path.c_str(), mode);
  return path;
}

void expectNew(const std::string& path) { EXPECT_EQ(readBytes(path), kWrittenBytes) << path; }
void expectOld(const std::string& path) { EXPECT_EQ(readBytes(path), kOld) << path; }
void expectSameFile(const struct stat& before, const std::string& path) {
  EXPECT_EQ(statOf(path).st_ino, before.st_ino) << path << " was replaced, not overwritten";
}
void expectType(const std::string& path, mode_t type) {
  EXPECT_EQ(statOf(path).st_mode & S_IFMT, type) << path;
}
void expectLink(const std::string& path) { EXPECT_TRUE(fs::is_symlink(path)) << path; }

std::string deviceNode(const TempFolder& folder, const char* name, mode_t type, int major, int minor) {
  requireRoot("make a device node");
  const std::string path = at(folder, name);
  if (::mknod(path.c_str(), type | 0666, makedev(major, minor)) != 0) {
    throw Skip{std::string("mknod refused here: ") + std::strerror(errno)};
  }
  return path;
}

std::string unixSocket(const TempFolder& folder) {
  const std::string path = at(folder, "socket");
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::close(fd);  // the socket file stays
  return path;
}

// In the child: `name` under the folder opened with `flags` as descriptor `fd`.
std::function<void(const TempFolder&)> openAs(const char* name, int flags, int fd) {
  return [=](const TempFolder& folder) {
    const int opened = ::open(folder.file(name).c_str(), flags);
    ::dup2(opened, fd);
    if (opened != fd) ::close(opened);
  };
}

std::string withFlags(const TempFolder& folder, const std::string& path, int flags) {
  (void)folder;
  if (!setFileFlags(path, flags, true)) throw Skip{"cannot set file flags on " + path};
  return path;
}

std::string xattrValue(const std::string& path, const char* name) {
  char value[256];
  const ssize_t size = ::getxattr(path.c_str(), name, value, sizeof value);
  return size < 0 ? "(none)" : std::string(value, std::size_t(size));
}

// An access ACL: owner rw, user nobody r, group r, mask r, others none.
std::string aclBytes() {
  struct Entry {
    std::uint16_t tag, perm;
    std::uint32_t id;
  };
  const Entry entries[] = {{0x01, 6, ~0u}, {0x02, 4, kNobody}, {0x04, 4, ~0u}, {0x10, 4, ~0u}, {0x20, 0, ~0u}};
  std::string bytes(4, '\0');
  const std::uint32_t version = 2;
  std::memcpy(bytes.data(), &version, 4);
  bytes.append(reinterpret_cast<const char*>(entries), sizeof entries);
  return bytes;
}

std::string withAttributes(const TempFolder& folder) {
  const std::string path = existing(folder, "pi.txt", 0640);
  const std::string acl = aclBytes();
  if (::setxattr(path.c_str(), "user.note", "kept", 4, 0) != 0 ||
      ::setxattr(path.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0) {
    throw Skip{std::string("no user attributes or ACLs here: ") + std::strerror(errno)};
  }
  return path;
}

const std::vector<TargetCase>& targetCases() {
  static const std::vector<TargetCase> cases = {
      // Regular files.
      {"new_file", [](auto& f) { return at(f, "pi.txt"); }, "written",
       [](auto& f, auto&) { expectNew(at(f, "pi.txt")); }, {"pi.txt"}},
      {"regular_file_keeps_its_mode", [](auto& f) { return existing(f, "pi.txt", 0604); }, "written",
       [](auto& f, auto&) {
         expectNew(at(f, "pi.txt"));
         EXPECT_EQ(statOf(at(f, "pi.txt")).st_mode & 07777, 0604u);
       }},
      {"hard_link_both_names_get_the_new_content",
       [](auto& f) {
         fs::create_hard_link(existing(f, "a.txt"), at(f, "b.txt"));
         return at(f, "a.txt");
       },
       "written",
       [](auto& f, auto& before) {
         expectNew(at(f, "b.txt"));
         expectSameFile(before, at(f, "a.txt"));
         EXPECT_EQ(statOf(at(f, "a.txt")).st_nlink, 2u);
       }},
      {"extended_attributes_and_acl_are_kept", withAttributes, "written",
       [](auto& f, auto&) {
         const std::string path = at(f, "pi.txt");
         expectNew(path);
         EXPECT_EQ(xattrValue(path, "user.note"), "kept");
         EXPECT_EQ(xattrValue(path, "system.posix_acl_access"), aclBytes());
       }},
      {"longest_new_name", [](auto& f) { return at(f, std::string(255, 'n')); }, "written",
       [](auto& f, auto&) { expectNew(at(f, std::string(255, 'n'))); }, {std::string(255, 'n')}},
      {"long_existing_name", [](auto& f) { return existing(f, std::string(250, 'e')); }, "written",
       [](auto& f, auto&) { expectNew(at(f, std::string(250, 'e'))); }},
      {"name_too_long", [](auto& f) { return at(f, std::string(256, 'n')); },
       "at open: File name too long", [](auto&, auto&) {}},
      {"missing_folder", [](auto& f) { return at(f, "missing/pi.txt"); },
       "at open: No such file or directory", [](auto&, auto&) {}},
      // Root replacing another user's file.
      {"root_keeps_another_users_owner_and_group",
       [](auto& f) {
         requireRoot("give a file to another user");
         const std::string path = existing(f, "pi.txt", 0640);
         EXPECT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
         return path;
       },
       "written",
       [](auto& f, auto&) {
         const struct stat after = statOf(at(f, "pi.txt"));
         expectNew(at(f, "pi.txt"));
         EXPECT_EQ(after.st_uid, kNobody);
         EXPECT_EQ(after.st_gid, kNobody);
         EXPECT_EQ(after.st_mode & 07777, 0640u);
       }},
      // An ordinary user (nobody) writing.
      {"own_file_is_replaced",
       [](auto& f) {
         requireRoot("switch to user nobody");
         const std::string path = subfolder(f, 0777) + "/pi.txt";
         writeBytes(path, kOld);
         EXPECT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
         return path;
       },
       "written",
       [](auto& f, auto&) {
         expectNew(at(f, "d/pi.txt"));
         EXPECT_EQ(statOf(at(f, "d/pi.txt")).st_uid, kNobody);
       },
       {}, true},
      {"another_users_writable_file_is_overwritten_in_place",
       [](auto& f) {
         requireRoot("switch to user nobody");
         subfolder(f, 0777);
         return existing(f, "d/pi.txt", 0666);
       },
       "written",
       [](auto& f, auto& before) {
         expectNew(at(f, "d/pi.txt"));
         expectSameFile(before, at(f, "d/pi.txt"));
         EXPECT_EQ(statOf(at(f, "d/pi.txt")).st_uid, 0u);
       },
       {}, true},
      {"a_group_not_ones_own_is_kept_in_place",
       [](auto& f) {
         requireRoot("switch to user nobody");
         subfolder(f, 0777);
         const std::string path = existing(f, "d/pi.txt", 0664);
         EXPECT_EQ(::chown(path.c_str(), kNobody, 0), 0);
         return path;
       },
       "written",
       [](auto& f, auto& before) {
         expectNew(at(f, "d/pi.txt"));
         expectSameFile(before, at(f, "d/pi.txt"));
         EXPECT_EQ(statOf(at(f, "d/pi.txt")).st_gid, 0u);
       },
       {}, true},
      {"another_users_file_in_a_sticky_folder_is_overwritten_in_place",
       [](auto& f) {
         requireRoot("switch to user nobody");
         subfolder(f, 01777);
         return existing(f, "d/pi.txt", 0666);
       },
       "written",
       [](auto& f, auto& before) {
         expectNew(at(f, "d/pi.txt"));
         expectSameFile(before, at(f, "d/pi.txt"));
       },
       {}, true},
      {"writable_file_in_a_read_only_folder_is_overwritten_in_place",
       [](auto& f) {
         requireRoot("switch to user nobody");
         subfolder(f, 0777);
         const std::string path = existing(f, "d/pi.txt", 0666);
         ::chmod(at(f, "d").c_str(), 0555);
         return path;
       },
       "written",
       [](auto& f, auto& before) {
         expectNew(at(f, "d/pi.txt"));
         expectSameFile(before, at(f, "d/pi.txt"));
       },
       {}, true},
      {"new_file_in_a_read_only_folder",
       [](auto& f) {
         requireRoot("switch to user nobody");
         return subfolder(f, 0555) + "/pi.txt";
       },
       "at open: Permission denied", [](auto&, auto&) {}, {}, true},
      {"read_only_file",
       [](auto& f) {
         requireRoot("switch to user nobody");
         const std::string path = subfolder(f, 0777) + "/pi.txt";
         writeBytes(path, kOld);
         EXPECT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
         ::chmod(path.c_str(), 0444);
         return path;
       },
       "at open: Permission denied", [](auto& f, auto&) { expectOld(at(f, "d/pi.txt")); }, {}, true},
      // Append-only and immutable files and folders.
      {"append_only_file",
       [](auto& f) { return withFlags(f, existing(f, "pi.txt"), FS_APPEND_FL); },
       "at open: refused: append-only or immutable", [](auto& f, auto&) { expectOld(at(f, "pi.txt")); },
       {}, false, nullptr, true},
      {"immutable_file",
       [](auto& f) { return withFlags(f, existing(f, "pi.txt"), FS_IMMUTABLE_FL); },
       "at open: refused: append-only or immutable", [](auto& f, auto&) { expectOld(at(f, "pi.txt")); },
       {}, false, nullptr, true},
      {"existing_file_in_an_append_only_folder",
       [](auto& f) {
         fs::create_directory(at(f, "d"));
         const std::string path = existing(f, "d/pi.txt");
         withFlags(f, at(f, "d"), FS_APPEND_FL);
         return path;
       },
       "written",
       [](auto& f, auto& before) {
         expectNew(at(f, "d/pi.txt"));
         expectSameFile(before, at(f, "d/pi.txt"));
       },
       {}, false, nullptr, true},
      {"new_file_in_an_append_only_folder",
       [](auto& f) {
         fs::create_directory(at(f, "d"));
         withFlags(f, at(f, "d"), FS_APPEND_FL);
         return at(f, "d/pi.txt");
       },
       "written", [](auto& f, auto&) { expectNew(at(f, "d/pi.txt")); }, {"d/pi.txt"}, false, nullptr,
       true},
      // Symbolic links.
      {"link_to_a_file",
       [](auto& f) {
         existing(f, "real.txt");
         fs::create_symlink("real.txt", at(f, "link"));
         return at(f, "link");
       },
       "written",
       [](auto& f, auto&) {
         expectLink(at(f, "link"));
         expectNew(at(f, "real.txt"));
       }},
      {"dangling_link_creates_the_file_it_names",
       [](auto& f) {
         fs::create_symlink("made.txt", at(f, "link"));
         return at(f, "link");
       },
       "written",
       [](auto& f, auto&) {
         expectLink(at(f, "link"));
         expectNew(at(f, "made.txt"));
       },
       {"made.txt"}},
      {"dangling_chain_across_folders",
       [](auto& f) {
         fs::create_directory(at(f, "sub"));
         fs::create_symlink("sub/b", at(f, "a"));
         fs::create_symlink(at(f, "c"), at(f, "sub/b"));  // absolute
         return at(f, "a");
       },
       "written",
       [](auto& f, auto&) {
         expectLink(at(f, "a"));
         expectLink(at(f, "sub/b"));
         expectNew(at(f, "c"));
       },
       {"c"}},
      {"link_loop",
       [](auto& f) {
         fs::create_symlink("b", at(f, "a"));
         fs::create_symlink("a", at(f, "b"));
         return at(f, "a");
       },
       "at open: Too many levels of symbolic links", [](auto&, auto&) {}},
      {"another_users_link_in_a_sticky_shared_folder_is_not_followed",
       [](auto& f) {
         requireRoot("give a link to another user");
         existing(f, "real.txt");
         subfolder(f, 01777);
         fs::create_symlink("../real.txt", at(f, "d/link"));
         EXPECT_EQ(::lchown(at(f, "d/link").c_str(), kNobody, kNobody), 0);
         return at(f, "d/link");
       },
       "at open: refused: untrusted link", [](auto& f, auto&) { expectOld(at(f, "real.txt")); }},
      {"the_folder_owners_link_in_a_sticky_shared_folder_is_followed",
       [](auto& f) {
         requireRoot("give a link to another user");
         existing(f, "real.txt");
         subfolder(f, 01777);
         ::chown(at(f, "d").c_str(), kNobody, kNobody);
         fs::create_symlink("../real.txt", at(f, "d/link"));
         EXPECT_EQ(::lchown(at(f, "d/link").c_str(), kNobody, kNobody), 0);
         return at(f, "d/link");
       },
       "written", [](auto& f, auto&) { expectNew(at(f, "real.txt")); }},
      // Pipes, devices, sockets, folders.
      {"fifo_without_a_reader",
       [](auto& f) {
         ::mkfifo(at(f, "fifo").c_str(), 0644);
         return at(f, "fifo");
       },
       "at open: refused: no pipe reader", [](auto& f, auto&) { expectType(at(f, "fifo"), S_IFIFO); }},
      {"null_device_node", [](auto& f) { return deviceNode(f, "null", S_IFCHR, 1, 3); }, "written",
       [](auto& f, auto&) { expectType(at(f, "null"), S_IFCHR); }},
      {"full_device_node", [](auto& f) { return deviceNode(f, "full", S_IFCHR, 1, 7); },
       "at commit: No space left on device", [](auto& f, auto&) { expectType(at(f, "full"), S_IFCHR); }},
      {"block_device_node", [](auto& f) { return deviceNode(f, "block", S_IFBLK, 7, 0); },
       "at open: refused: block device", [](auto& f, auto&) { expectType(at(f, "block"), S_IFBLK); }},
      {"unix_socket", unixSocket, "at open: refused: socket",
       [](auto& f, auto&) { expectType(at(f, "socket"), S_IFSOCK); }},
      {"folder",
       [](auto& f) {
         fs::create_directory(at(f, "d"));
         return at(f, "d");
       },
       "at open: refused: folder", [](auto&, auto&) {}},
      {"folder_with_a_trailing_slash", [](auto& f) { return f.path().string() + "/"; },
       "at open: refused: folder", [](auto&, auto&) {}},
      // Descriptors the process has open.
      {"dev_fd_appends_through_the_descriptor", [](auto& f) { existing(f, "out.txt"); return std::string("/dev/fd/9"); },
       "written",
       [](auto& f, auto& before) {
         EXPECT_EQ(readBytes(at(f, "out.txt")), kOld + kWrittenBytes);
         (void)before;
       },
       {}, false, openAs("out.txt", O_WRONLY | O_APPEND, 9)},
      {"proc_self_fd", [](auto& f) { existing(f, "out.txt"); return std::string("/proc/self/fd/9"); },
       "written", [](auto& f, auto&) { EXPECT_EQ(readBytes(at(f, "out.txt")), kOld + kWrittenBytes); },
       {}, false, openAs("out.txt", O_WRONLY | O_APPEND, 9)},
      {"dev_stdout_appends_to_a_redirected_output",  // -o /dev/stdout >> out.txt
       [](auto& f) {
         existing(f, "out.txt");
         return std::string("/dev/stdout");
       },
       "written", [](auto& f, auto&) { EXPECT_EQ(readBytes(at(f, "out.txt")), kOld + kWrittenBytes); },
       {}, false, openAs("out.txt", O_WRONLY | O_APPEND, 1)},
      {"descriptor_not_open", [](auto&) { return std::string("/dev/fd/9"); },
       "at open: refused: descriptor not writable", [](auto&, auto&) {}, {}, false,
       [](auto&) { ::close(9); }},
      {"descriptor_open_for_reading", [](auto& f) { existing(f, "out.txt"); return std::string("/dev/fd/9"); },
       "at open: refused: descriptor not writable", [](auto& f, auto&) { expectOld(at(f, "out.txt")); },
       {}, false, openAs("out.txt", O_RDONLY, 9)},
  };
  return cases;
}

// A folder whose file system has append-only and immutable flags: the
// system's temporary folder, else the working folder.
std::optional<fs::path> folderWithFileFlags() {
  for (const fs::path& base : {fs::temp_directory_path(), fs::current_path()}) {
    TempFolder probe(base);
    const std::string file = probe.file("probe");
    writeBytes(file, "");
    if (setFileFlags(file, FS_APPEND_FL, true)) {
      setFileFlags(file, FS_APPEND_FL, false);
      return base;
    }
  }
  return std::nullopt;
}

// Clears the flags the case set, so that the folder can be removed.
void clearFileFlags(const fs::path& folder) {
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_symlink()) setFileFlags(entry.path().string(), FS_APPEND_FL | FS_IMMUTABLE_FL, false);
  }
}

class ResultTargets : public testing::TestWithParam<TargetCase> {};

TEST_P(ResultTargets, the_target_is_written_or_refused_and_nothing_else_is_left) {
  const TargetCase& c = GetParam();
  std::optional<fs::path> base = fs::temp_directory_path();
  if (c.needsFileFlags) {
    base = folderWithFileFlags();
    if (!base) GTEST_SKIP() << "neither the temporary nor the working folder has append-only/immutable flags";
  }
  TempFolder folder(*base);
  std::string path;
  try {
    path = c.prepare(folder);
  } catch (const Skip& skip) {
    GTEST_SKIP() << skip.reason;
  }
  const struct stat before = statOf(path);
  const std::set<std::string> names = listing(folder.path());
  const bool child = c.asNobody || c.childSetup;
  const std::string outcome = child ? inChild(c.asNobody, [&] {
    if (c.childSetup) c.childSetup(folder);
    return writeNew(path);
  })
                                    : writeNew(path);
  EXPECT_EQ(outcome, c.expected) << path;
  c.check(folder, before);
  std::set<std::string> expectedNames = names;
  expectedNames.insert(c.created.begin(), c.created.end());
  if (c.needsFileFlags) clearFileFlags(folder.path());
  EXPECT_EQ(listing(folder.path()), expectedNames);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ResultTargets, testing::ValuesIn(targetCases()),
                         [](const testing::TestParamInfo<TargetCase>& info) { return info.param.name; });

}  // namespace
}  // namespace zembra::test
