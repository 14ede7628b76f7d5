#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "base/file_errors.h"
#include "base/replace_target.h"

namespace pantrel {

namespace fs = std::filesystem;

namespace {

bool InGroup(gid_t group) {
    if (group == getegid()) {
        return true;
    }
    const int count = getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(count > 0 ? count : 0));
    const int got = count > 0 ? getgroups(count, groups.data()) : 0;
    for (int i = 0; i < got; ++i) {
        if (groups[static_cast<std::size_t>(i)] == group) {
            return true;
        }
    }
    return false;
}

// The write bit that applies to the running user. Root may write anything, yet a file nobody
// may write is one its owner wants kept as it is.
bool MayWriteByMode(const struct stat& status) {
    const uid_t user = geteuid();
    if (user == 0) {
        return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    }
    if (user == status.st_uid) {
        return (status.st_mode & S_IWUSR) != 0;
    }
    if (InGroup(status.st_gid)) {
        return (status.st_mode & S_IWGRP) != 0;
    }
    return (status.st_mode & S_IWOTH) != 0;
}

}  // namespace

std::error_code InspectTarget(const fs::path& target, ReplaceTarget& found) {
    found = ReplaceTarget{target};
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0) {
        const int error = errno;
        struct stat link {};
        if (error == ENOENT && ::lstat(target.c_str(), &link) == 0) {
            return make_error_code(FileRefusal::DanglingLink);  // whose file would come where?
        }
        return error == ENOENT ? std::error_code{}
                               : std::error_code{error, std::generic_category()};
    }
    if (S_ISDIR(status.st_mode)) {
        return std::make_error_code(std::errc::is_a_directory);
    }
    if (!S_ISREG(status.st_mode)) {
        return make_error_code(FileRefusal::NotRegularFile);
    }
    if (!MayWriteByMode(status)) {
        return make_error_code(FileRefusal::ReadOnly);
    }
    // Written through the link, as an editor does: the link stays and its file changes.
    std::error_code error;
    found.file = fs::canonical(target, error);
    if (error) {
        return error;
    }
    found.exists = true;
    found.owner = status.st_uid;
    found.group = status.st_gid;
    found.mode = status.st_mode & 07777;
    return {};
}

std::error_code TakeOverOwnerAndMode(std::FILE* file, const ReplaceTarget& target) {
    if (!target.exists) {
        return {};
    }
    const int fd = ::fileno(file);
    struct stat own {};
    if (::fstat(fd, &own) != 0) {
        return {errno, std::generic_category()};
    }
    if ((own.st_uid != target.owner || own.st_gid != target.group) &&
        ::fchown(fd, target.owner, target.group) != 0) {
        return {errno, std::generic_category()};
    }
    if (::fchmod(fd, static_cast<mode_t>(target.mode)) != 0) {
        return {errno, std::generic_category()};
    }
    return {};
}

void HoldWhileWriting(std::FILE* file) {
    static_cast<void>(::flock(::fileno(file), LOCK_EX | LOCK_NB));
}

void RemoveIfNotHeld(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        ::unlink(path.c_str());
    }
    ::close(fd);
}

}  // namespace pantrel
