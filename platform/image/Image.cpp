// Choosing a decoder by the file's signature, reading and writing picture files, and the skin
// engine's view of a decoded picture.
#include "platform/image/Image.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <string>

namespace platform {

namespace {

// The largest file read whole: an uncompressed 32-bit bitmap of the largest accepted size, with
// room for its headers.
constexpr std::uint64_t MaxImageFileSize = std::uint64_t(Bitmap::MaxPixels) * 4 + 1024 * 1024;

std::string SystemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }
    int Release()
    {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

std::string DirectoryOf(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Writes the whole file beside its final place and renames it over that place, so that a reader
// never sees half a picture and a failed write leaves any old file untouched.
void WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    static std::atomic<unsigned> counter{0};
    std::string name = path.substr(path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1);
    if (name.empty())
        throw ImageError(path + ": not a file name");
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = DirectoryOf(path) + "/." + name + ".tmp" + std::to_string(::getpid()) + "-" +
               std::to_string(counter.fetch_add(1));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            throw ImageError(SystemError(path + ": cannot create a file"));
    }
    if (fd < 0)
        throw ImageError(path + ": cannot create a temporary file");

    FileDescriptor file(fd);
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(file.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            std::string error = SystemError(path + ": cannot write");
            ::unlink(temp.c_str());
            throw ImageError(error);
        }
        done += std::size_t(n);
    }
    if (::fsync(file.Get()) != 0 || ::close(file.Release()) != 0) {
        std::string error = SystemError(path + ": cannot write");
        ::unlink(temp.c_str());
        throw ImageError(error);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        std::string error = SystemError(path + ": cannot replace");
        ::unlink(temp.c_str());
        throw ImageError(error);
    }
}

} // namespace

ImageFormat SniffImageFormat(std::span<const std::uint8_t> data)
{
    static const std::uint8_t png[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (data.size() >= 8 && std::memcmp(data.data(), png, 8) == 0)
        return ImageFormat::Png;
    if (data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
        return ImageFormat::Jpeg;
    if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M')
        return ImageFormat::Bmp;
    return ImageFormat::Unknown;
}

DecodedImage DecodeImage(std::span<const std::uint8_t> data)
{
    switch (SniffImageFormat(data)) {
    case ImageFormat::Bmp:
        return DecodeBmp(data);
    case ImageFormat::Png:
        return DecodePng(data);
    case ImageFormat::Jpeg:
        return DecodeJpeg(data);
    case ImageFormat::Unknown:
        break;
    }
    if (data.empty())
        throw ImageError("the file is empty");
    throw ImageError("not a BMP, PNG or JPEG picture");
}

DecodedImage LoadImageFile(const std::string& path)
{
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0)
        throw ImageError(SystemError(path + ": cannot open"));
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0)
        throw ImageError(SystemError(path + ": cannot open"));
    if (!S_ISREG(info.st_mode))
        throw ImageError(path + ": not a regular file");
    if (std::uint64_t(info.st_size) > MaxImageFileSize)
        throw ImageError(path + ": the file is too large for a picture");

    std::vector<std::uint8_t> bytes(std::size_t(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::read(file.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw ImageError(SystemError(path + ": cannot read"));
        if (n == 0)
            break; // the file shrank while being read
        done += std::size_t(n);
    }
    bytes.resize(done);
    try {
        return DecodeImage(bytes);
    } catch (const ImageError& e) {
        throw ImageError(path + ": " + e.what());
    }
}

void SaveBmp(const Bitmap& bitmap, const std::string& path)
{
    WriteFileAtomically(path, EncodeBmp(bitmap));
}

void SavePng(const Bitmap& bitmap, const std::string& path)
{
    WriteFileAtomically(path, EncodePng(bitmap));
}

} // namespace platform
