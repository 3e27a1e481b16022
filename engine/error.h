#pragma once

#include <stdexcept>
#include <string>

namespace zembra {

// The program's one error type: why a run, a command line, a folder or a
// file to view failed. what() is an English sentence for the command line;
// the windows build their own Japanese messages from kind(), refusal(),
// path() and the system's error number.
class Error : public std::runtime_error {
 public:
  enum class Kind {
    Usage,               // a command line that cannot be used (reason says why)
    NegativeDigitCount,  // below 0
    DigitCountTooLarge,  // above 327,640
    FileOpen,            // the result file cannot be created
    FileOpenForWriting,  // an existing result file cannot be opened for writing
    FileBusy,            // another run of the program keeps writing the same file
    FileWrite,           // the result file cannot be written or put in place
    TargetRefused,  // the result path names something that is not a file to write (refusal says
                    // what)
    OutOfMemory,
    OutOfResources,    // the system refused another resource (reason says which)
    Internal,          // anything else that stopped the computation (reason says what)
    FolderUnreadable,  // a folder that cannot be listed
    FileUnreadable,    // a file that cannot be opened or read to the end
    NotAPlainFile,     // a device, pipe or socket to read: the reading might never end
  };

  // What a refused result path names, or why it is refused.
  enum class Refusal {
    None,
    Folder,
    BlockDevice,
    Socket,
    UnknownType,            // neither file, pipe, device, socket nor folder
    DescriptorNotWritable,  // /dev/fd/N and the like, N not open for writing
    NoPipeReader,           // a named pipe that no program reads
    AppendOnlyOrImmutable,  // a file the system lets no one rewrite
    UntrustedLink,          // a link another user left in a shared sticky folder
    FileSizeLimit,          // the result would pass the process's file-size limit
  };

  explicit Error(Kind kind, std::string path = {}, std::string reason = {});
  // A command line that cannot be used, `reason` one English line.
  static Error usage(std::string reason) { return Error(Kind::Usage, {}, std::move(reason)); }

  // A file operation that failed with the system's error number `error`.
  static Error fileError(Kind kind, std::string path, int error);
  // A result path refused before computing; `error` is the system's error
  // number that goes with it, or 0.
  static Error refused(std::string path, Refusal refusal, int error = 0);

  Kind kind() const { return kind_; }
  Refusal refusal() const { return refusal_; }
  const std::string& path() const { return path_; }
  // The system's description of the cause, in English, if there is one.
  const std::string& reason() const { return reason_; }
  // The system's error number behind reason(), or 0: the window translates it.
  int errorNumber() const { return errorNumber_; }
  // Where the earlier content of a file overwritten in place is kept, when
  // the overwrite failed midway; "" otherwise.
  const std::string& keptBackup() const { return keptBackup_; }
  // The same error, naming where the earlier content is kept ("": nowhere).
  Error withBackup(std::string backup) const;

 private:
  Error(Kind kind, Refusal refusal, std::string path, int error);

  Kind kind_;
  Refusal refusal_ = Refusal::None;
  std::string path_;
  std::string reason_;
  int errorNumber_ = 0;
  std::string keptBackup_;
};

// The system's English description of an error number ("No such file or
// directory"), whatever the process's locale.
std::string englishErrorText(int error);

}  // namespace zembra
