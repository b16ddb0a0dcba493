#pragma once
// The gateway for the program's binary data files: one open file, its path,
// the last error text, and the field encodings the formats share.  Every
// multi-byte number is little-endian and unaligned; there is no padding.
//
// Encodings:
//   header        32-byte zero-padded tag, signed 32-bit version (must be 1)
//   string        signed 16-bit length N, then N characters, no terminator
//   old string    signed 32-bit length N (0..4096), then N characters
//   fixed string  S bytes, the last one forced to zero (S 1..1023)
//   image         signed 16-bit width W and height H, then W x H pixels of
//                 red, green, blue, rows top to bottom
//   old image     unsigned 32-bit width and height, then W x H pixels of
//                 16-bit RGB 5-6-5, or of one byte (Talvex palette index)
//
// Reading is guarded (the file's size is taken when it is opened):
//   - A read that runs past the end of the file sets the sticky overrun()
//     flag and lastError = path + " is an invalid file"; the unread part of
//     the destination is zeroed and typed reads then yield 0.
//   - A string or image field whose data would run past the end of the file
//     is not read at all: nothing is allocated or consumed after its length
//     or size fields, overrun() is set, lastError as above, and the result is
//     empty.  So no read allocates more than the file can still hold.
//   - Refused fields set overrun() too and yield an empty value:
//       readStdString: a negative length (lastError path + " is an invalid
//         file"; nothing consumed after the length);
//       readImage: a negative width or height (lastError as above);
//       readOldImage: a width or height above 4096 (lastError as above);
//       readOldStdString: a negative length or one above 4096, reported with
//         KVCore::reportError ("BinaryFile::readOldStdString: string length
//         N is invalid" / "... is too long"), lastError untouched; the file
//         position stays just after the length field.
//   Loaders check good() (or overrun()) before accepting what they read.
//   The flags are cleared by open() and create() and survive close().
//
// Writing is safe: create() writes into a temporary file beside the target
// (SafeFile), and close() (or the destructor) renames it over the target only
// when every write succeeded; discard() abandons the new file.  A failed
// write sets writeFailed(); close() then returns false with lastError
// "Unable to write to <path>" and the old file is left intact.

#include <SFML/Graphics/Image.hpp>

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

#include "platform/FileSystem.hpp"
#include "storage/SafeFile.hpp"

class BinaryFile {
public:
    static constexpr std::uint32_t maxOldImageSide = 4096;
    static constexpr std::int32_t maxOldStringLength = 4096;
    static constexpr std::int32_t headerVersion = 1;
    static constexpr std::size_t headerTagSize = 32;

    bool isOpenForRead = false;
    bool isOpenForWrite = false;
    std::string lastError;
    std::int32_t version = 0;
    std::string path;

    BinaryFile() = default;
    ~BinaryFile();

    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;
    BinaryFile(BinaryFile&&) = delete;
    BinaryFile& operator=(BinaryFile&&) = delete;

    // Closes any open file, then opens the path for binary reading.  Failure:
    // lastError "Unable to open <path>", false.
    bool open(const std::string& filePath);
    // Closes any open file, then starts writing a new file for the path (see
    // above).  Failure: lastError "Unable to create <path>", false.
    bool create(const std::string& filePath);
    // Closes the file; a file being written replaces the target now.  False
    // (lastError "Unable to write to <path>") when a write or the replacement
    // failed; true otherwise, also when nothing was open.  Clears both open
    // flags and path.
    bool close();
    // Abandons a file being written (the target is untouched) or closes a
    // file being read.
    void discard();

    // Raw bytes as they stand.  read() returns false on a short read (see
    // above); write() false when the bytes could not all be written.
    bool read(void* destination, std::size_t size);
    bool write(const void* source, std::size_t size);

    // Fixed-width little-endian numbers: signed and unsigned 8-, 16-, 32- and
    // 64-bit integers, float and double.
    template <typename T>
    bool readValue(T& value);
    template <typename T>
    T readValue()
    {
        T value{};
        readValue(value);
        return value;
    }
    template <typename T>
    bool writeValue(T value);

    // Sticky state since the last open/create.
    bool overrun() const { return overrun_; }
    bool writeFailed() const { return writeFailed_; }
    bool good() const { return !overrun_ && !writeFailed_; }

    // Size of the file being read (taken at open), the read position and
    // the bytes still unread.
    std::uint64_t size() const { return size_; }
    std::uint64_t tell() const { return position_; }
    std::uint64_t remaining() const { return position_ < size_ ? size_ - position_ : 0; }

    // Tagged header.  Wrong tag: lastError = path + " is an invalid file";
    // version below 1: path + " is an obselete file version"; above 1:
    // path + " is an advanced file version (expected 1 got V)".  False in
    // each case; true with `version` set otherwise.
    bool readHeader(const std::string& tag);
    // Writes a tagged header (the tag is cut to 31 characters).
    bool writeHeader(const std::string& tag, std::int32_t headerVersionValue = headerVersion);

    // Current string encoding; the result ends at an embedded zero byte.
    // Texts of 32768 bytes or more cannot be written: writeStdString then
    // writes nothing and fails as a failed write.
    std::string readStdString();
    bool writeStdString(const std::string& text);
    // Legacy 32-bit-length string encoding (read only).
    std::string readOldStdString();
    // A fixed field of `fieldSize` bytes (1 to 1023); the last byte is
    // replaced by zero and the text ends at the first zero.  0 or 1024 and
    // more: nothing is read, empty result.
    std::string readFixedString(std::uint16_t fieldSize);

    // Current image encoding.  Pixels are read opaque; with keyTransparent,
    // magenta (255, 0, 255) and cyan (0, 255, 255) become (0, 0, 0, 0).
    // A refused or truncated image yields an empty (0 x 0) image.
    sf::Image readImage(bool keyTransparent);
    // Pixels with alpha 0 are written as magenta, all others as their
    // colour.  Images wider or higher than 32767 cannot be written: nothing
    // is written and it fails as a failed write.
    bool writeImage(const sf::Image& image);
    // Talvex image encoding: 16-bit 5-6-5 pixels, or palette indices when
    // `paletted` (index 0 transparent).  Results equal to magenta or cyan
    // become (0, 0, 0, 0).
    sf::Image readOldImage(bool paletted);

private:
    void resetState();
    void markInvalid();
    void markWriteFailed();
    // True when `bytes` more bytes can be read; otherwise marks the file
    // invalid.
    bool fits(std::uint64_t bytes);

    platform::FileHandle readFile_;
    SafeFile writeFile_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
    bool overrun_ = false;
    bool writeFailed_ = false;
};

namespace binaryfile_detail {

template <typename T>
constexpr bool isFixedWidth =
    (std::is_integral_v<T> && !std::is_same_v<T, bool>) || std::is_same_v<T, float> ||
    std::is_same_v<T, double>;

template <std::size_t N>
struct UnsignedOfSize;
template <> struct UnsignedOfSize<1> { using type = std::uint8_t; };
template <> struct UnsignedOfSize<2> { using type = std::uint16_t; };
template <> struct UnsignedOfSize<4> { using type = std::uint32_t; };
template <> struct UnsignedOfSize<8> { using type = std::uint64_t; };

} // namespace binaryfile_detail

template <typename T>
bool BinaryFile::readValue(T& value)
{
    static_assert(binaryfile_detail::isFixedWidth<T>, "readValue: fixed-width numbers only");
    using U = typename binaryfile_detail::UnsignedOfSize<sizeof(T)>::type;
    unsigned char bytes[sizeof(T)];
    if (!read(bytes, sizeof(T))) {
        value = T{};  // a number cut off by the end of the file is not data
        return false;
    }
    U bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bits = static_cast<U>(bits | (static_cast<U>(bytes[i]) << (8 * i)));
    value = std::bit_cast<T>(bits);
    return true;
}

template <typename T>
bool BinaryFile::writeValue(T value)
{
    static_assert(binaryfile_detail::isFixedWidth<T>, "writeValue: fixed-width numbers only");
    using U = typename binaryfile_detail::UnsignedOfSize<sizeof(T)>::type;
    const U bits = std::bit_cast<U>(value);
    unsigned char bytes[sizeof(T)];
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bytes[i] = static_cast<unsigned char>((bits >> (8 * i)) & 0xFFu);
    return write(bytes, sizeof(T));
}
