#include "skin/package/TacSkinConvertor.h"

#include "skin/package/AsciiText.h"

#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

namespace skin {

namespace {

// deflate cannot expand data by more than about 1032 to 1; a stated size beyond that for the
// bytes that are left is a lie, refused before anything is allocated.
constexpr std::uint64_t MaxInflateRatio = 1040;
constexpr std::int64_t MaxMemberSize = 512LL * 1024 * 1024;
// A member's buffer starts at most this large and doubles as the stream delivers, so that a stated
// size costs nothing until the data is there: a member never takes more than twice what it holds.
constexpr std::size_t FirstOutputSize = 64 * 1024;
constexpr std::uintmax_t MaxPackageFileSize = 1024ULL * 1024 * 1024;

class PackageReader {
public:
    explicit PackageReader(std::span<const std::uint8_t> data) : data_(data) {}

    std::size_t Remaining() const { return data_.size() - pos_; }

    std::int32_t ReadInt32()
    {
        if (Remaining() < 4)
            throw PackageError("Stream read error");
        std::uint32_t v = std::uint32_t(data_[pos_]) | (std::uint32_t(data_[pos_ + 1]) << 8) |
                          (std::uint32_t(data_[pos_ + 2]) << 16) | (std::uint32_t(data_[pos_ + 3]) << 24);
        pos_ += 4;
        return std::int32_t(v);
    }

    std::string ReadName(std::int32_t length)
    {
        if (length < 0 || std::size_t(length) > Remaining())
            throw PackageError("Damaged skin package: a member name length of " + std::to_string(length) +
                               " does not fit the package");
        std::string name(reinterpret_cast<const char*>(data_.data() + pos_), std::size_t(length));
        pos_ += std::size_t(length);
        return name;
    }

    // Inflates one complete zlib stream starting here into exactly size bytes and moves past the
    // stream's Adler-32 trailer.
    std::vector<std::uint8_t> Inflate(const std::string& name, std::int32_t size)
    {
        if (size < 0 || size > MaxMemberSize || std::uint64_t(size) > std::uint64_t(Remaining()) * MaxInflateRatio + 64)
            throw PackageError("Damaged skin package: the member \"" + name + "\" states an impossible size of " +
                               std::to_string(size) + " bytes");
        const std::size_t stated = static_cast<std::size_t>(size);
        std::vector<std::uint8_t> out(std::min(stated, FirstOutputSize));
        z_stream z{};
        if (inflateInit(&z) != Z_OK)
            throw PackageError("Decompression error: the inflater cannot start");
        z.next_in = const_cast<Bytef*>(data_.data() + pos_);
        z.avail_in = uInt(std::min<std::size_t>(Remaining(), std::numeric_limits<uInt>::max()));
        z.next_out = out.data();
        z.avail_out = uInt(out.size());
        std::uint8_t spare = 0;
        bool overflow = false;
        int rc = Z_OK;
        for (;;) {
            if (z.avail_out == 0 && out.size() < stated && z.next_out != &spare + 1) {
                const std::size_t filled = out.size();
                out.resize(std::min(stated, filled * 2));
                z.next_out = out.data() + filled;
                z.avail_out = uInt(out.size() - filled);
            }
            if (z.avail_out == 0) {
                // Room for one more byte tells a stream that holds more than it states.
                if (z.next_out == &spare + 1) {
                    overflow = true;
                    break;
                }
                z.next_out = &spare;
                z.avail_out = 1;
            }
            rc = inflate(&z, Z_NO_FLUSH);
            if (rc == Z_STREAM_END)
                break;
            if (rc == Z_OK)
                continue;
            if (rc == Z_BUF_ERROR && z.avail_out > 0)
                break; // input exhausted before the end of the stream
            if (rc == Z_BUF_ERROR)
                continue;
            break;
        }
        const std::size_t produced = std::size_t(z.total_out);
        const std::size_t consumed = std::size_t(z.total_in);
        std::string message = z.msg ? z.msg : "";
        inflateEnd(&z);
        if (overflow || (rc == Z_STREAM_END && produced != stated))
            throw PackageError("Damaged skin package: the member \"" + name + "\" does not hold the " +
                               std::to_string(size) + " bytes it states");
        if (rc != Z_STREAM_END) {
            if (rc == Z_DATA_ERROR || rc == Z_NEED_DICT || rc == Z_STREAM_ERROR)
                throw PackageError("Decompression error in the member \"" + name + "\"" +
                                   (message.empty() ? std::string() : ": " + message));
            throw PackageError("Decompression error: the member \"" + name + "\" is cut short");
        }
        pos_ += consumed;
        return out;
    }

private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

} // namespace

void TacSkinConvertor::Clear()
{
    while (!Files.empty())
        Files.pop_back();
    Options.reset();
    PackedData = {};
    ImageCount = 0;
}

const TacImageItem* TacSkinConvertor::FindFile(std::string_view upperName) const
{
    for (const TacImageItem& item : Files)
        if (item.FileName.size() == upperName.size() && UpperAscii(item.FileName) == upperName)
            return &item;
    return nullptr;
}

bool ForEachPackageMember(std::span<const std::uint8_t> package, const PackageMemberFn& member)
{
    if (package.size() < 4 || std::memcmp(package.data(), PackageMagic.data(), 4) != 0)
        return false;
    PackageReader reader(package.subspan(4));
    const std::int32_t count = reader.ReadInt32();
    if (count < 1)
        throw PackageError("Damaged skin package: it states " + std::to_string(count) + " members");
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t nameLength = reader.ReadInt32();
        std::string name = reader.ReadName(nameLength);
        const std::int32_t size = reader.ReadInt32();
        std::vector<std::uint8_t> content = reader.Inflate(name, size);
        member(std::move(name), std::move(content));
    }
    return true;
}

bool ExtractPackedData(TacSkinConvertor& convertor, const ShowErrorFn& showError)
{
    int members = 0;
    const bool read = ForEachPackageMember(convertor.PackedData, [&](std::string name, std::vector<std::uint8_t> content) {
        ++members;
        if (UpperAscii(name) == "OPTIONS.DAT") {
            convertor.Options = std::move(content);
        } else {
            TacImageItem item;
            item.IsBitmap = EndsWithIgnoringCase(name, ".BMP");
            item.FileName = std::move(name);
            item.FileStream = std::move(content);
            convertor.Files.push_back(std::move(item));
        }
    });
    if (!read) {
        if (showError)
            showError(std::string(WrongMagicMessage));
        return false;
    }
    convertor.ImageCount = members - 1;
    return true;
}

bool LoadSkinFromFile(const std::string& path, std::optional<TacSkinConvertor>& slot, const ShowErrorFn& showError)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    if (slot)
        slot->Clear();
    else
        slot.emplace();
    std::ifstream in(path, std::ios::binary);
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!in || ec)
        throw PackageError("Cannot open file \"" + path + "\"");
    if (size > MaxPackageFileSize)
        throw PackageError("The skin package \"" + path + "\" is too large");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size)))
        throw PackageError("Cannot read file \"" + path + "\"");
    slot->PackedData = bytes;
    try {
        ExtractPackedData(*slot, showError);
    } catch (...) {
        slot->PackedData = {};
        throw;
    }
    slot->PackedData = {};
    return true;
}

} // namespace skin
