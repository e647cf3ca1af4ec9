// RegularFile.cpp: a non-blocking open, a look at what was opened, then a read up to the limit.
#include "files/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace {

TFileContents Failed(TFileFailure failure, std::string why) {
    return {failure, {}, std::move(why)};
}

}  // namespace

TFileContents ReadRegularFile(const std::string& path, size_t limit) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        // A file in a folder that is not there is as missing as the folder, also where a file
        // stands in the folder's place.
        const bool missing = error == ENOENT || error == ENOTDIR;
        return Failed(missing ? TFileFailure::Missing : TFileFailure::Unreadable,
                      std::strerror(error));
    }
    struct stat info {};
    TFileContents contents;
    if (fstat(fd, &info) != 0) {
        contents = Failed(TFileFailure::Unreadable, std::strerror(errno));
    } else if (!S_ISREG(info.st_mode)) {
        contents = Failed(TFileFailure::NotRegular, "not a regular file");
    } else if (static_cast<unsigned long long>(info.st_size) > limit) {
        contents = Failed(TFileFailure::TooLarge, "the file is too large");
    } else {
        // The file may grow while it is read; one byte more than allowed tells.
        contents.Bytes.resize(static_cast<size_t>(info.st_size) + 1);
        size_t filled = 0;
        while (true) {
            if (filled == contents.Bytes.size()) {
                if (filled > limit) {
                    contents = Failed(TFileFailure::TooLarge, "the file is too large");
                    break;
                }
                contents.Bytes.resize(std::min(filled * 2 + 4096, limit + 1));
            }
            const ssize_t count =
                read(fd, contents.Bytes.data() + filled, contents.Bytes.size() - filled);
            if (count < 0 && errno == EINTR) {
                continue;
            }
            if (count < 0) {
                contents = Failed(TFileFailure::Unreadable, std::strerror(errno));
                break;
            }
            if (count == 0) {
                contents.Bytes.resize(filled);
                break;
            }
            filled += static_cast<size_t>(count);
        }
    }
    close(fd);
    return contents;
}
