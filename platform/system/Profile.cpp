#include "platform/system/Profile.h"

#include "platform/system/LastError.h"
#include "platform/system/Paths.h"
#include "platform/system/ProfileDocument.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Far beyond any settings file; bounds what a wrong path (a disk image, say) can cost.
constexpr std::size_t kMaxProfileBytes = std::size_t(64) << 20;

// Answers 0 or the errno of the failure. Only regular files are read, so that a FIFO or a device
// named by mistake can neither block nor stream forever.
int ReadProfileBytes(const std::string& path, std::string* bytes, struct stat* info)
{
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return errno;
    int error = 0;
    if (fstat(fd, info) != 0) {
        error = errno;
    } else if (!S_ISREG(info->st_mode)) {
        error = S_ISDIR(info->st_mode) ? EISDIR : EACCES;
    } else if (std::size_t(info->st_size) > kMaxProfileBytes) {
        error = EFBIG;
    } else {
        char chunk[16384];
        for (;;) {
            ssize_t got = read(fd, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                error = errno;
                break;
            }
            if (got == 0)
                break;
            bytes->append(chunk, std::size_t(got));
            if (bytes->size() > kMaxProfileBytes) {
                error = EFBIG;
                break;
            }
        }
    }
    close(fd);
    return error;
}

ProfileDocument ReadProfile(StringView fileName)
{
    std::string bytes;
    struct stat info;
    int error = fileName.empty() ? ENOENT : ReadProfileBytes(NativePath(fileName), &bytes, &info);
    if (error != 0) {
        SetLastError(error == ENOENT ? ERROR_FILE_NOT_FOUND : ErrorFromErrno(error));
        return ProfileDocument();
    }
    SetLastError(ERROR_SUCCESS);
    return ProfileDocument::Parse(bytes);
}

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += std::size_t(written);
    }
    return true;
}

// Writes a new file beside the old one and renames it over it: a crash leaves either the old
// file or the new one, never a mix. The old file's permissions and owner carry over.
bool ReplaceFile(const std::string& path, const std::string& bytes, const struct stat* old)
{
    static std::atomic<unsigned> counter{0};
    std::size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string base = path.substr(folder.size()).substr(0, 64);
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder + ".~" + base + "." + std::to_string(getpid()) + "." + std::to_string(counter++);
        fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno));
        return false;
    }
    auto fail = [&](int error) {
        close(fd);
        unlink(temp.c_str());
        SetLastErrorFromErrno(error);
        return false;
    };
    if (old) {
        if (old->st_uid != geteuid() || old->st_gid != getegid()) {
            // Only possible for a privileged process; a refusal leaves the file ours, still usable.
            if (fchown(fd, old->st_uid, old->st_gid) != 0) {}
        }
        if (fchmod(fd, old->st_mode & 07777) != 0)
            return fail(errno);
    }
    if (!WriteAll(fd, bytes) || fsync(fd) != 0)
        return fail(errno);
    if (close(fd) != 0) {
        int error = errno;
        unlink(temp.c_str());
        SetLastErrorFromErrno(error);
        return false;
    }
    if (rename(temp.c_str(), path.c_str()) != 0) {
        int error = errno;
        unlink(temp.c_str());
        SetLastErrorFromErrno(error);
        return false;
    }
    int folderFd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    return true;
}

std::mutex& EditMutex()
{
    static std::mutex* mutex = new std::mutex;
    return *mutex;
}

// Reads the file afresh, lets edit change the document (edit answers whether it did) and writes
// the result back. One edit at a time in this process, so two threads never lose each other's
// changes.
template <class Edit>
bool EditProfile(StringView fileName, Edit edit)
{
    if (fileName.empty()) {
        SetLastError(ERROR_ACCESS_DENIED); // as the system answers for an empty file name
        return false;
    }
    std::lock_guard lock(EditMutex());
    std::string path = NativePath(fileName);
    // Through a symbolic link the file it names is replaced, and the link stays.
    struct stat link;
    if (lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* target = realpath(path.c_str(), nullptr)) {
            path = target;
            std::free(target);
        }
    }
    std::string bytes;
    struct stat info;
    int error = ReadProfileBytes(path, &bytes, &info);
    if (error != 0 && error != ENOENT) {
        SetLastError(error == ENOTDIR ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(error));
        return false;
    }
    bool exists = error == 0;
    ProfileDocument document = exists ? ProfileDocument::Parse(bytes) : ProfileDocument();
    if (!edit(document)) {
        SetLastError(ERROR_SUCCESS);
        return true;
    }
    return ReplaceFile(path, document.Serialize(), exists ? &info : nullptr);
}

DWORD CopyValue(StringView value, WCHAR* buffer, DWORD size)
{
    std::size_t count = value.size() < size ? value.size() : size - 1;
    value.copy(buffer, count);
    buffer[count] = 0;
    SetLastError(count < value.size() ? ERROR_MORE_DATA : ERROR_SUCCESS);
    return DWORD(count);
}

// Each name followed by '\0', then one more '\0'. When the list does not fit, the last name that
// starts is cut so that both terminators fit, and the answer is size - 2. The system's
// section-name call treats a list that fits exactly as one that does not (exactFitIsCut).
DWORD CopyList(const std::vector<String>& names, WCHAR* buffer, DWORD size, bool exactFitIsCut = false)
{
    if (size == 1) {
        buffer[0] = 0;
        return 0;
    }
    std::size_t pos = 0;
    for (const String& name : names) {
        std::size_t room = size - pos;
        if (name.size() + 2 < room || (name.size() + 2 == room && !exactFitIsCut)) {
            name.copy(buffer + pos, name.size());
            pos += name.size();
            buffer[pos++] = 0;
            continue;
        }
        if (room >= 2) {
            name.copy(buffer + pos, room - 2);
            pos += room - 2;
            buffer[pos++] = 0;
        }
        buffer[pos] = 0;
        SetLastError(ERROR_MORE_DATA);
        return size - 2;
    }
    buffer[pos] = 0;
    if (pos == 0)
        buffer[1] = 0;
    return DWORD(pos);
}

// The system drops the default's trailing blanks.
String DefaultValue(const WCHAR* lpDefault)
{
    String value = lpDefault ? String(lpDefault) : String();
    while (!value.empty() && value.back() == u' ')
        value.pop_back();
    return value;
}

} // namespace

DWORD GetPrivateProfileString(const WCHAR* section, const WCHAR* key, const WCHAR* lpDefault, WCHAR* buffer,
                              DWORD size, const WCHAR* fileName)
{
    if (!buffer || size == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    ProfileDocument document = ReadProfile(fileName ? StringView(fileName) : StringView());
    DWORD readError = GetLastError();
    if (!section)
        return CopyList(document.SectionNames(), buffer, size);
    String fallback = DefaultValue(lpDefault);
    if (!key) {
        std::vector<String> keys = document.KeyNames(section);
        if (!keys.empty())
            return CopyList(keys, buffer, size);
        DWORD count = CopyValue(fallback, buffer, size);
        if (readError != ERROR_SUCCESS)
            SetLastError(readError);
        return count;
    }
    std::optional<String> value = *key ? document.Value(section, key) : std::nullopt;
    DWORD count = CopyValue(value ? *value : fallback, buffer, size);
    if (!value && readError != ERROR_SUCCESS)
        SetLastError(readError);
    return count;
}

String GetPrivateProfileString(StringView section, StringView key, StringView defaultValue, StringView fileName,
                               DWORD bufferSize)
{
    String fallback(defaultValue);
    while (!fallback.empty() && fallback.back() == u' ')
        fallback.pop_back();
    if (bufferSize == 0)
        return String();
    ProfileDocument document = ReadProfile(fileName);
    std::optional<String> value = key.empty() ? std::nullopt : document.Value(section, key);
    String result = value ? std::move(*value) : std::move(fallback);
    if (result.size() >= bufferSize)
        result.resize(bufferSize - 1);
    return result;
}

DWORD GetPrivateProfileSectionNames(WCHAR* buffer, DWORD size, const WCHAR* fileName)
{
    if (!buffer || size == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::vector<String> names = ReadProfile(fileName ? StringView(fileName) : StringView()).SectionNames();
    return CopyList(names, buffer, size, true);
}

std::vector<String> GetPrivateProfileSectionNames(StringView fileName)
{
    return ReadProfile(fileName).SectionNames();
}

std::vector<String> GetPrivateProfileKeyNames(StringView section, StringView fileName)
{
    return ReadProfile(fileName).KeyNames(section);
}

UINT GetPrivateProfileInt(StringView section, StringView key, int defaultValue, StringView fileName)
{
    // The system reads the number through a small buffer too.
    String text = GetPrivateProfileString(section, key, u"", fileName, 30);
    if (text.empty())
        return UINT(defaultValue);
    std::size_t i = 0;
    bool negative = false;
    if (text[i] == u'-' || text[i] == u'+')
        negative = text[i++] == u'-';
    UINT result = 0;
    if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        for (i += 2; i < text.size(); ++i) {
            char16_t c = text[i];
            UINT digit;
            if (c >= u'0' && c <= u'9') digit = c - u'0';
            else if (c >= u'a' && c <= u'f') digit = c - u'a' + 10;
            else if (c >= u'A' && c <= u'F') digit = c - u'A' + 10;
            else break;
            result = result * 16 + digit;
        }
    } else {
        for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
            result = result * 10 + UINT(text[i] - u'0');
    }
    return negative ? UINT(0) - result : result;
}

BOOL WritePrivateProfileString(const WCHAR* section, const WCHAR* key, const WCHAR* value, const WCHAR* fileName)
{
    // The system's codes: an empty file name is "access denied", a null section "not found".
    if (!fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (!*fileName) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    if (!section) {
        // All three null asks to flush a cache this layer does not keep.
        if (!key && !value)
            return true;
        SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    if (!key)
        return DeletePrivateProfileSection(section, fileName);
    if (!value)
        return DeletePrivateProfileKey(section, key, fileName);
    return WritePrivateProfileString(StringView(section), StringView(key), StringView(value), StringView(fileName));
}

bool WritePrivateProfileString(StringView section, StringView key, StringView value, StringView fileName)
{
    if (!ProfileDocument::IsStorableSectionName(section) || !ProfileDocument::IsStorableKeyName(key)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return EditProfile(fileName, [&](ProfileDocument& document) { return document.SetValue(section, key, value); });
}

bool DeletePrivateProfileKey(StringView section, StringView key, StringView fileName)
{
    return EditProfile(fileName, [&](ProfileDocument& document) { return document.DeleteKey(section, key); });
}

bool DeletePrivateProfileSection(StringView section, StringView fileName)
{
    return EditProfile(fileName, [&](ProfileDocument& document) { return document.DeleteSection(section); });
}

} // namespace platform
