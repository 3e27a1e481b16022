// The result file: every kind of target, interruptions, and named pipes.
#include "engine/result_file/result_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <future>
#include <map>
#include <set>
#include <string>
#include <thread>

#include "engine/error.h"
#include "engine/result_file/signal_cleanup.h"
#include "engine/result_file/temporary_file.h"
#include "tests/engine/child_process.h"
#include "tests/engine/result_file/writes.h"
#include "tests/engine/temp_folder.h"

namespace zembra::test {
namespace {

namespace fs = std::filesystem;

// Thrown by a case's preparation when this machine cannot run it: why.
using Skip = std::string;

// What becomes of the file the write lands in (keeping owner, mode and attributes).
enum class Landing { kNone, kCreated, kReplaced, kInPlace, kAppended, kUntouched };
using L = Landing;

// One thing made in the folder before the write.
using Step = std::function<void(const TempFolder&)>;
using Steps = std::vector<Step>;

struct TargetCase {
  std::string name;
  std::string path;  // what is written to: under the folder, or absolute
  std::vector<Step> steps;
  std::string outcome;    // what writeLines() comes to
  std::string file = {};  // where the write lands, under the folder
  Landing landing = L::kNone;
  bool byOrdinaryUser = false;  // written in a child process by an ordinary user (asOrdinaryUser)
  Step childSetup = nullptr;    // in a child process, before writing
  ResultFileOptions options = {};
};

void PrintTo(const TargetCase& c, std::ostream* out) { *out << c.name; }

// An earlier result, longer than the new one: an overwrite must cut it.
const std::string kOld = "an earlier result, longer than the new one\n";
const std::string kLongest(255, 'n');  // the longest name most file systems hold

// Owners of what a case makes besides a user id: the ordinary user who writes (nobody under root,
// else the current user), and someone else than that user (root, under root).
constexpr uid_t kWriter = uid_t(-2), kSomeoneElse = uid_t(-3);

// Gives `path` (a link itself, not what it names) to `owner` and its group; -1 keeps it.
void own(const std::string& path, uid_t owner) {
  if (owner == uid_t(-1) || (!runningAsRoot() && owner == kWriter)) return;
  if (owner == kSomeoneElse) {
    if (!runningAsRoot()) throw Skip{"needs root to make another user's file"};
    return;  // made by root, written by nobody
  }
  if (owner == kWriter) owner = kNobody;
  if (!runningAsRoot() || ::lchown(path.c_str(), owner, owner) != 0) {
    throw Skip{"needs root to give files away"};
  }
}

Step makeFile(std::string name, mode_t mode = 0644, uid_t owner = -1) {
  return [=](const TempFolder& f) {
    writeBytes(f.file(name), kOld);
    ::chmod(f.file(name).c_str(), mode);
    own(f.file(name), owner);
  };
}

Step makeFolder(std::string name, mode_t mode = 0755, uid_t owner = -1) {
  return [=](const TempFolder& f) {
    fs::create_directory(f.file(name));
    ::chmod(f.file(name).c_str(), mode);
    own(f.file(name), owner);
  };
}

// Only a privileged writer keeps a set-user-ID bit: the kernel clears it at the first write of
// anyone else, on either route (the README says so).
void keepsSetIdBits(const TempFolder&) {
  if (!runningAsRoot()) throw Skip{"needs root to keep a set-user-ID bit across a write"};
}

// Gives `name` to the group `group`, keeping its owner.
Step setGroup(std::string name, gid_t group) {
  return [=](const TempFolder& f) {
    if (!runningAsRoot() || ::lchown(f.file(name).c_str(), uid_t(-1), group) != 0) {
      throw Skip{"needs root to give files away"};
    }
  };
}

// Links link0 → link1 → … → link(count − 1) → real.txt.
Step makeChain(int count) {
  return [=](const TempFolder& f) {
    for (int i = 0; i < count; ++i) {
      const std::string next = i + 1 < count ? "link" + std::to_string(i + 1) : "real.txt";
      fs::create_symlink(next, f.file("link" + std::to_string(i)));
    }
  };
}

// A link to `to`; "/c" stands for c in the folder, by its absolute path.
Step makeLink(std::string name, std::string to, uid_t owner = -1) {
  return [=](const TempFolder& f) {
    fs::create_symlink(to.front() == '/' ? f.file(to.substr(1)) : to, f.file(name));
    own(f.file(name), owner);
  };
}

// A named pipe, a socket or a device node.
Step makeNode(std::string name, mode_t type, int major = 0, int minor = 0) {
  return [=](const TempFolder& f) {
    if (::mknod(f.file(name).c_str(), type | 0644, makedev(major, minor)) != 0) {
      throw Skip{errno == EPERM ? std::string("needs root to make device nodes")
                                : std::string("cannot make a node: ") + std::strerror(errno)};
    }
  };
}

// Sets or clears FS_APPEND_FL/FS_IMMUTABLE_FL; false where the file system or process cannot.
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
    if (setFileFlags(f.file(name), flags, true)) return;
    throw Skip{runningAsRoot() ? "the file system here cannot set file flags"
                               : "needs root to set append-only and immutable flags"};
  };
}

// A user attribute and an ACL (tag | permissions << 16, id): owner rw, nobody r, group r.
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
  return landing == L::kAppended ? kOld + written() : written();
}

// Writes fail as on a full disk, through an unnamed temporary file or a named one.
ssize_t writeToFullDisk(int, const void*, size_t) { return errno = ENOSPC, -1; }
const ResultFileOptions kFullDisk{.calls = {.write = writeToFullDisk}};
const ResultFileOptions kFullDiskNamed{.calls = {.write = writeToFullDisk}, .allowUnnamed = false};

const bool kOrdinaryUserWrites = true;
const std::string kDone = "done";
const std::string kFull = "cannot write: No space left on device";

std::vector<TargetCase> targetCases() {
  std::vector<TargetCase> cases = {
      // Regular files.
      {"a_new_file_may_have_the_longest_name_the_folder_holds", kLongest, Steps{}, kDone, kLongest,
       L::kCreated},
      {"a_longer_name_is_refused", kLongest + "n", Steps{}, "cannot create: File name too long"},
      {"another_users_file_keeps_owner_mode_and_attributes", "pi.txt",
       Steps{makeFile("pi.txt", 0640, kNobody), addAttributes("pi.txt")}, kDone, "pi.txt",
       L::kReplaced},
      {"a_full_disk_leaves_the_earlier_file", "pi.txt", Steps{makeFile("pi.txt", 0640)}, kFull,
       "pi.txt", L::kUntouched, false, nullptr, kFullDisk},
      {"a_full_disk_leaves_the_earlier_file_with_a_named_temporary_file", "pi.txt",
       Steps{makeFile("pi.txt", 0640)}, kFull, "pi.txt", L::kUntouched, false, nullptr,
       kFullDiskNamed},
      {"a_file_with_set_id_and_sticky_bits_keeps_them", "pi.txt",
       Steps{keepsSetIdBits, makeFile("pi.txt", 07644)}, kDone, "pi.txt", L::kReplaced},
      {"a_file_of_another_group_keeps_it", "pi.txt",
       Steps{makeFile("pi.txt", 0640), setGroup("pi.txt", kNobody)}, kDone, "pi.txt", L::kReplaced},
      {"a_file_with_two_names_is_overwritten_in_place", "a.txt",
       Steps{makeFile("a.txt"),
             [](auto& f) { fs::create_hard_link(f.file("a.txt"), f.file("b.txt")); }},
       kDone, "b.txt", L::kInPlace},
      // An ordinary user writing in folder d.
      {"ones_own_file_is_replaced", "d/pi.txt",
       Steps{makeFolder("d", 0777), makeFile("d/pi.txt", 0644, kWriter)}, kDone, "d/pi.txt",
       L::kReplaced, kOrdinaryUserWrites},
      {"another_users_writable_file_is_overwritten_in_place", "d/pi.txt",
       Steps{makeFolder("d", 0777), makeFile("d/pi.txt", 0666, kSomeoneElse)}, kDone, "d/pi.txt",
       L::kInPlace, kOrdinaryUserWrites},
      {"ones_own_file_in_a_read_only_folder_is_overwritten_in_place", "d/pi.txt",
       Steps{makeFolder("d"), makeFile("d/pi.txt", 0644, kWriter),
             [](auto& f) { ::chmod(f.file("d").c_str(), 0555); }},  // read-only once made
       kDone, "d/pi.txt", L::kInPlace, kOrdinaryUserWrites},
      {"ones_own_file_of_a_group_one_is_not_in_is_overwritten_in_place", "d/pi.txt",
       Steps{makeFolder("d", 0777), makeFile("d/pi.txt", 0644, kWriter), setGroup("d/pi.txt", 0)},
       kDone, "d/pi.txt", L::kInPlace, kOrdinaryUserWrites},
      {"another_users_file_of_ones_group_is_overwritten_in_place", "d/pi.txt",
       Steps{makeFolder("d", 0777), makeFile("d/pi.txt", 0666, kSomeoneElse),
             setGroup("d/pi.txt", kNobody)},
       kDone, "d/pi.txt", L::kInPlace, kOrdinaryUserWrites},
      {"a_new_file_in_a_read_only_folder_is_refused", "d/pi.txt", Steps{makeFolder("d", 0555)},
       "cannot create: Permission denied", "", L::kNone, kOrdinaryUserWrites},
      {"a_read_only_file_is_refused", "d/pi.txt",
       Steps{makeFolder("d", 0777), makeFile("d/pi.txt", 0444, kWriter)},
       "cannot open for writing: Permission denied", "d/pi.txt", L::kUntouched,
       kOrdinaryUserWrites},
      // Append-only and immutable files and folders.
      {"an_append_only_file_is_refused", "pi.txt",
       Steps{makeFile("pi.txt"), addFlags("pi.txt", FS_APPEND_FL)},
       "refused: append-only or immutable", "pi.txt", L::kUntouched},
      {"an_immutable_file_is_refused", "pi.txt",
       Steps{makeFile("pi.txt"), addFlags("pi.txt", FS_IMMUTABLE_FL)},
       "refused: append-only or immutable", "pi.txt", L::kUntouched},
      {"a_file_in_an_append_only_folder_is_overwritten_in_place", "d/pi.txt",
       Steps{makeFolder("d"), makeFile("d/pi.txt"), addFlags("d", FS_APPEND_FL)}, kDone, "d/pi.txt",
       L::kInPlace},
      {"a_new_file_in_an_append_only_folder_is_made", "d/pi.txt",
       Steps{makeFolder("d"), addFlags("d", FS_APPEND_FL)}, kDone, "d/pi.txt", L::kCreated},
      // Symbolic links stay; what they name is written.
      {"a_dangling_chain_across_folders_creates_the_file_it_ends_at", "a",
       Steps{makeFolder("sub"), makeLink("a", "sub/b"), makeLink("sub/b", "/c")}, kDone, "c",
       L::kCreated},
      {"a_chain_of_40_links_is_followed", "link0", Steps{makeFile("real.txt"), makeChain(40)},
       kDone, "real.txt", L::kReplaced},
      {"a_chain_of_41_links_is_refused", "link0", Steps{makeFile("real.txt"), makeChain(41)},
       "cannot create: Too many levels of symbolic links", "real.txt", L::kUntouched},
      {"a_link_loop_is_reported", "a", Steps{makeLink("a", "b"), makeLink("b", "a")},
       "cannot create: Too many levels of symbolic links"},
      {"another_users_link_in_a_sticky_shared_folder_is_refused", "d/link",
       Steps{makeFile("real.txt"), makeFolder("d", 01777),
             makeLink("d/link", "../real.txt", kNobody)},
       "refused: untrusted link", "real.txt", L::kUntouched},
      {"another_users_link_in_a_sticky_group_folder_is_followed", "d/link",
       Steps{makeFile("real.txt"), makeFolder("d", 01775),
             makeLink("d/link", "../real.txt", kNobody)},
       kDone, "real.txt", L::kReplaced},
      {"the_folder_owners_link_in_a_sticky_shared_folder_is_followed", "d/link",
       Steps{makeFile("real.txt"), makeFolder("d", 01777, kNobody),
             makeLink("d/link", "../real.txt", kNobody)},
       kDone, "real.txt", L::kReplaced},
      {"another_users_link_to_a_folder_in_a_sticky_shared_folder_is_refused", "d/link/pi.txt",
       Steps{makeFolder("victim"), makeFile("victim/pi.txt"), makeFolder("d", 01777),
             makeLink("d/link", "../victim", kNobody)},
       "refused: untrusted link", "victim/pi.txt", L::kUntouched},
      // Pipes, devices, sockets, folders: each stays what it was.
      {"a_full_device_is_reported_while_writing", "full", Steps{makeNode("full", S_IFCHR, 1, 7)},
       "cannot write: No space left on device"},
      {"a_block_device_is_refused", "block", Steps{makeNode("block", S_IFBLK, 7, 0)},
       "refused: block device"},
      {"a_socket_is_refused", "socket", Steps{makeNode("socket", S_IFSOCK)}, "refused: socket"},
      {"a_folder_is_refused", "d", Steps{makeFolder("d")}, "refused: folder"},
      // Descriptors the process has open: written through, not replaced.
      {"dev_fd_appends_through_the_descriptor", "/dev/fd/9", Steps{makeFile("out.txt")}, kDone,
       "out.txt", L::kAppended, false, openAs("out.txt", O_WRONLY | O_APPEND, 9)},
      {"proc_self_fd_appends_through_the_descriptor", "/proc/self/fd/9", Steps{makeFile("out.txt")},
       kDone, "out.txt", L::kAppended, false, openAs("out.txt", O_WRONLY | O_APPEND, 9)},
      {"dev_stdout_appends_to_a_redirected_output",
       "/dev/stdout",  // -o /dev/stdout >> out.txt
       Steps{makeFile("out.txt")}, kDone, "out.txt", L::kAppended, false,
       openAs("out.txt", O_WRONLY | O_APPEND, 1)},
      {"a_descriptor_not_open_is_refused", "/dev/fd/9", Steps{}, "refused: descriptor not writable",
       "", L::kNone, false, [](auto&) { ::close(9); }},
      {"a_descriptor_open_for_reading_is_refused", "/dev/fd/9", Steps{makeFile("out.txt")},
       "refused: descriptor not writable", "out.txt", L::kUntouched, false,
       openAs("out.txt", O_RDONLY, 9)},
  };
  // Link targets about the sizes of the buffers that read them: "./////real.txt", `length` long.
  for (const std::size_t length : {255, 256, 1023, 1024, 4000}) {
    const std::string target = std::string(".").append(length - 9, '/').append("real.txt");
    cases.push_back({"a_link_of_" + std::to_string(length) + "_bytes_is_followed", "link",
                     Steps{makeFile("real.txt"), makeLink("link", target)}, kDone, "real.txt",
                     L::kReplaced});
  }
  return cases;
}

// Copies of overwritten files that must go elsewhere go to a state folder the writer may use.
class ResultTargets : public testing::TestWithParam<TargetCase> {
 protected:
  ResultTargets() {
    ::chmod(state.path().c_str(), 0777);
    ::setenv("XDG_STATE_HOME", state.path().c_str(), 1);
  }
  ~ResultTargets() override { ::unsetenv("XDG_STATE_HOME"); }
  TempFolder state;
};

TEST_P(ResultTargets, the_target_is_written_or_refused_and_nothing_else_changes) {
  const TargetCase& c = GetParam();
  TempFolder folder;
  ::chmod(folder.path().c_str(), 0755);  // reachable by nobody
  try {
    for (const Step& step : c.steps) step(folder);
  } catch (const Skip& skip) {
    GTEST_SKIP() << skip;
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
  EXPECT_EQ(c.byOrdinaryUser ? asOrdinaryUser(write)
            : c.childSetup   ? inChild(false, write)
                             : write(),
            c.outcome);
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

// Created through an unnamed temporary file and through a named one, in a child with its umask.
TEST(NewResultFile, gets_the_mode_the_umask_leaves_on_either_route) {
  for (const mode_t umask : {022, 002, 077}) {
    for (const bool unnamed : {true, false}) {
      SCOPED_TRACE(testing::Message()
                   << "umask 0" << std::oct << umask << (unnamed ? "" : " named"));
      TempFolder folder;
      const std::string path = folder.file("pi.txt");
      const auto write = [&] {
        return ::umask(umask), writeLines(path, {.allowUnnamed = unnamed});
      };
      EXPECT_EQ(inChild(false, write), kDone);
      EXPECT_EQ(statOf(path).st_mode & 07777, 0666 & ~umask);
    }
  }
}

// The signals start at their defaults, even in a background job (but in the copy that runs
// as under nohup, below).
[[maybe_unused]] const bool kSignalsAtDefault = [] {
  std::signal(SIGINT, SIG_DFL);
  if (!std::getenv("ZEMBRA_TEST_WRITE_UNDER_NOHUP")) std::signal(SIGHUP, SIG_DFL);
  return true;
}();

// The signal comes while the file is open, before it is committed.
TEST(InterruptedRun, leaves_the_earlier_file_and_nothing_else_whichever_signal_ends_it) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    for (const bool named : {true, false}) {  // named: no O_TMPFILE
      SCOPED_TRACE(std::string(sigabbrev_np(signal)) + (named ? " named" : " unnamed"));
      TempFolder folder;
      writeBytes(folder.file("pi.txt"), kOld);
      const auto stopped = [&] {
        ResultFile file(folder.file("pi.txt"), {.allowUnnamed = !named});
        file.writeLine("new");
        if (named && folder.entryCount() != 2) return std::string("no temporary file");
        ::kill(::getpid(), signal);
        for (;;) ::pause();
      };
      EXPECT_EQ(inChild(false, stopped), "signal " + std::to_string(signal));
      EXPECT_EQ(listing(folder.path()), std::set<std::string>{"pi.txt"});
      EXPECT_EQ(readBytes(folder.file("pi.txt")), kOld);
    }
  }
}

// Under nohup: a hangup the program was started to ignore stays ignored, also while a named
// temporary file is on disk, and the run ends with its file. The handlers are set up once per
// process, so a copy of this test program, started with SIGHUP ignored as nohup starts it,
// does the writing.
TEST(InterruptedRun, a_signal_the_program_ignores_stays_ignored) {
  if (const char* path = std::getenv("ZEMBRA_TEST_WRITE_UNDER_NOHUP")) {  // the copy
    EXPECT_EQ(outcomeOf([&] {
                ResultFile file(path, {.allowUnnamed = false});
                file.writeLine("new");
                ::kill(::getpid(), SIGHUP);
                file.commit();
              }),
              "done");
    return;
  }
  TempFolder folder;
  const ProgramResult copy =
      runProgram({"/proc/self/exe",
                  "--gtest_filter=InterruptedRun.a_signal_the_program_ignores_stays_ignored"},
                 {"ZEMBRA_TEST_WRITE_UNDER_NOHUP=" + folder.file("pi.txt")},
                 std::chrono::seconds(60), [] { std::signal(SIGHUP, SIG_IGN); });
  EXPECT_EQ(copy.status, 0) << copy.out;
  EXPECT_EQ(readBytes(folder.file("pi.txt")), written());
}

// Under `ulimit -f`: a result the limit would cut short (2,000 digits, about 2,900 bytes) is
// refused before computing, on either route, and a write past the limit anyway is an error, not
// the end of the process.
TEST(FileSizeLimit, a_result_over_the_limit_is_refused_before_computing_and_never_kills) {
  for (const bool inPlace : {false, true}) {
    SCOPED_TRACE(inPlace ? "in place" : "replaced");
    TempFolder folder;
    const std::string path = folder.file("pi.txt");
    writeBytes(path, kOld);
    if (inPlace) fs::create_hard_link(path, folder.file("b.txt"));
    const auto limited = [&] {
      const struct rlimit limit { 2000, RLIM_INFINITY };
      ::setrlimit(RLIMIT_FSIZE, &limit);
      return runOutcome(path, "2000") + "; " + writeLines(path, {}, 500);  // no size known ahead
    };
    EXPECT_EQ(inChild(false, limited), "refused: file size limit; cannot write: File too large");
    EXPECT_EQ(readBytes(path), kOld);
  }
}

// Whether the signal comes to the deferring thread or to another one.
TEST(DeferredSignals, hold_a_signal_until_the_guard_ends) {
  for (const bool otherThread : {false, true}) {
    SCOPED_TRACE(otherThread ? "another thread" : "the deferring thread");
    TempFolder folder;
    const auto deferred = [&] {
      const auto waitForever = [] {
        for (;;) ::pause();
      };
      if (otherThread) std::thread(waitForever).detach();  // signals not blocked
      {
        signal_cleanup::DeferredSignals wait;
        ::kill(::getpid(), SIGTERM);
        ::usleep(50 * 1000);  // time for it to arrive anywhere
        writeBytes(folder.file("told"), "still here");
      }
      return std::string("not ended by the signal");
    };
    EXPECT_EQ(inChild(false, deferred), "signal " + std::to_string(SIGTERM));
    EXPECT_EQ(readBytes(folder.file("told")), "still here");
  }
}

TEST(StaleTemporaries, only_unlocked_own_files_with_the_prefix_are_swept) {
  TempFolder folder;
  const std::string prefix = kTemporaryPrefix;
  for (const std::string& name :
       {prefix + "stale1", prefix + "held", prefix + "other", std::string(".pi.txt.a1b2c3"),
        std::string("zembra32-x"), std::string("pi.txt")}) {
    writeBytes(folder.file(name), "x");
  }
  fs::create_directory(folder.file(prefix + "dir"));
  fs::create_symlink("pi.txt", folder.file(prefix + "link"));
  const int held = ::open(folder.file(prefix + "held").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);  // a run still writing it
  const bool givenAway =
      runningAsRoot() && ::chown(folder.file(prefix + "other").c_str(), kNobody, kNobody) == 0;

  EXPECT_EQ(writeLines(folder.file("pi.txt")), kDone);
  std::set<std::string> expected = {prefix + "held", ".pi.txt.a1b2c3", "zembra32-x",
                                    "pi.txt",        prefix + "dir/",  prefix + "link@"};
  if (givenAway) expected.insert(prefix + "other");  // else it was our own: swept
  EXPECT_EQ(listing(folder.path()), expected);
  ::close(held);
  if (!givenAway) GTEST_SKIP() << "needs root to make another user's file";
}

const std::set<std::string> kOnlyThePipe = {"fifo|"};

std::string makeFifo(const TempFolder& folder) {
  ::mkfifo(folder.file("fifo").c_str(), 0600);
  return folder.file("fifo");
}

// A reader in the window acts after three pumps, or after 30 s so that a writer that never
// pumps fails; one that quits is a write error, not a SIGPIPE.
TEST(ResultStream, every_byte_reaches_the_reader_and_a_full_pipe_pumps_the_window) {
  const int lines = 20000;  // far more than a pipe holds
  const std::string digits = "3.1415926535  8979323846  2643383279";
  // The window also writes to a pipe it was given as /dev/fd/N, whose writing end blocks.
  enum class Mode { kCommandLine, kWindowReads, kWindowQuits, kWindowDescriptor };
  for (const Mode mode :
       {Mode::kCommandLine, Mode::kWindowReads, Mode::kWindowQuits, Mode::kWindowDescriptor}) {
    const bool window = mode != Mode::kCommandLine, quits = mode == Mode::kWindowQuits;
    TempFolder folder;
    std::string fifo = makeFifo(folder);
    int fd = window ? ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
    int given[2] = {-1, -1};
    if (mode == Mode::kWindowDescriptor) {
      ASSERT_EQ(::pipe2(given, O_CLOEXEC), 0);
      ::close(fd);
      fd = given[0];
      fifo = "/dev/fd/" + std::to_string(given[1]);
    }
    std::promise<void> pumped;
    std::future<std::string> text = std::async(std::launch::async, [&, go = pumped.get_future()] {
      if (!window) return readToEnd(::open(fifo.c_str(), O_RDONLY | O_CLOEXEC));  // waits
      go.wait_for(std::chrono::seconds(30));
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
      if (quits) ::close(fd);
      return quits ? std::string() : readToEnd(fd);
    });
    int pumps = 0;
    ResultFileOptions options{.waitForPipeReader = !window};  // as the command line does
    if (window) {
      options.whileWaiting = [&] {
        if (++pumps == 3) pumped.set_value();
      };
    }
    EXPECT_EQ(writeLines(fifo, options, lines, digits),
              quits ? "cannot write: Broken pipe" : kDone);
    if (given[1] >= 0) ::close(given[1]);
    if (pumps < 3) pumped.set_value();  // lets the reader end all the same
    EXPECT_EQ(text.get(), quits ? "" : written(lines, digits));
    EXPECT_GE(pumps, window ? 3 : 0);
    EXPECT_EQ(listing(folder.path()), kOnlyThePipe);
  }
}

// In a child with a watchdog, so that waiting for a reader fails instead of hanging.
TEST(ResultStream, a_pipe_without_a_reader_stops_the_windows_run_before_computing) {
  TempFolder folder;
  const std::string fifo = makeFifo(folder);
  EXPECT_EQ(inChild(false, [&] { return ::alarm(30), runOutcome(fifo); }),
            "refused: no pipe reader");
  EXPECT_EQ(listing(folder.path()), kOnlyThePipe);
}

}  // namespace
}  // namespace zembra::test
