// A KTX file described field by field and checked against KTX 1.1: the
// header's identifier, byte order and format fields, the key/value data, and
// every level's imageSize against what its format needs, down to the last
// byte of the file.
#include "describe_ktx.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "byte_order.h"
#include "container_layout.h"
#include "description_pieces.h"
#include "ktx_format.h"
#include "shared.h"

namespace {

constexpr uint8_t kKTX20Identifier[12] = {0xAB, 0x4B, 0x54, 0x58, 0x20, 0x32,
                                          0x30, 0xBB, 0x0D, 0x0A, 0x1A, 0x0A};
constexpr uint32_t kKTXBigEndian = 0x01020304;
// CountMipLevels of the largest 32-bit size: no texture has more levels.
constexpr uint32_t kMostLevels = 32;
// Key/value data past this many bytes is not examined, nor entries after
// this many faulty ones.
constexpr uint64_t kKeyValueBytesExamined = 1 << 20;
constexpr size_t kFaultyEntriesExamined = 8;

struct GLName {
    uint32_t value;
    const char* name;
    uint32_t typeSize;  // bytes of a glType value; 0 for formats
};

constexpr GLName kGLTypes[] = {
    {0x1400, "GL_BYTE", 1},
    {0x1401, "GL_UNSIGNED_BYTE", 1},
    {0x1402, "GL_SHORT", 2},
    {0x1403, "GL_UNSIGNED_SHORT", 2},
    {0x1404, "GL_INT", 4},
    {0x1405, "GL_UNSIGNED_INT", 4},
    {0x1406, "GL_FLOAT", 4},
    {0x140B, "GL_HALF_FLOAT", 2},
    {0x8D61, "GL_HALF_FLOAT_OES", 2},
    {0x8033, "GL_UNSIGNED_SHORT_4_4_4_4", 2},
    {0x8034, "GL_UNSIGNED_SHORT_5_5_5_1", 2},
    {0x8363, "GL_UNSIGNED_SHORT_5_6_5", 2},
};

constexpr GLName kGLFormats[] = {
    {0x1902, "GL_DEPTH_COMPONENT", 0},
    {0x1903, "GL_RED", 0},
    {0x1906, "GL_ALPHA", 0},
    {0x1907, "GL_RGB", 0},
    {0x1908, "GL_RGBA", 0},
    {0x1909, "GL_LUMINANCE", 0},
    {0x190A, "GL_LUMINANCE_ALPHA", 0},
    {0x8227, "GL_RG", 0},
    {0x80E1, "GL_BGRA", 0},
    {0x84F9, "GL_DEPTH_STENCIL", 0},
};

template <size_t N>
const GLName* FindGLName(const GLName (&names)[N], uint32_t value) {
    for (const GLName& name : names) {
        if (name.value == value) {
            return &name;
        }
    }
    return nullptr;
}

template <size_t N>
std::string GLNameText(const GLName (&names)[N], uint32_t value) {
    const GLName* name = FindGLName(names, value);
    return name != nullptr ? name->name : "unknown";
}

uint32_t Pad4(uint32_t size) { return (4 - size % 4) % 4; }

// Reads the file's 32-bit numbers in its own byte order.
class KTXDescriber {
  public:
    KTXDescriber(InputFile& file, ContainerDescription* description)
        : m_file(file), m_description(*description) {}

    void Describe();

  private:
    uint32_t Word(const uint8_t* bytes) const {
        return m_swapped ? LoadBigEndian32(bytes) : LoadLittleEndian32(bytes);
    }
    uint32_t HeaderWord(size_t offset) const { return Word(m_header + offset); }

    void Deviation(std::string text) { m_description.deviations.push_back(std::move(text)); }
    void Note(std::string text) { m_description.notes.push_back(std::move(text)); }
    void AddField(const char* name, size_t offset, std::string meaning, bool hex = false);
    void AddHeaderFields();
    void CheckFormatFields();
    void CheckShape();
    void DescribeKeyValues();
    void DescribeKeyValueEntries(const std::vector<uint8_t>& block, uint64_t blockSize);
    void DescribeLevels();

    InputFile& m_file;
    ContainerDescription& m_description;
    uint8_t m_header[kKTXHeaderSize] = {};
    size_t m_headerBytes = 0;
    bool m_swapped = false;
    const ContainerLayout* m_layout = nullptr;
};

void KTXDescriber::AddField(const char* name, size_t offset, std::string meaning, bool hex) {
    ContainerField field;
    field.name = name;
    field.offset = offset;
    field.present = offset + 4 <= m_headerBytes;
    field.value = HeaderWord(offset);
    field.text = !field.present            ? ""
                 : offset == KTXEndianness ? HexWord(field.value, 8)
                 : hex                     ? HexWord(field.value)
                                           : std::to_string(field.value);
    field.meaning = field.present ? std::move(meaning) : "missing: the file ends before it";
    m_description.fields.push_back(std::move(field));
}

void KTXDescriber::AddHeaderFields() {
    ContainerField identifier;
    identifier.name = "identifier";
    identifier.size = sizeof(kKTXIdentifier);
    identifier.present = m_headerBytes >= sizeof(kKTXIdentifier);
    identifier.numeric = false;
    identifier.text = HexBytes(m_header, std::min(m_headerBytes, sizeof(kKTXIdentifier)));
    identifier.meaning = std::memcmp(m_header, kKTXIdentifier, sizeof(kKTXIdentifier)) == 0
                             ? "KTX 1.1"
                             : "not the KTX 1.1 identifier";
    m_description.fields.push_back(std::move(identifier));

    const uint32_t endianness = HeaderWord(KTXEndianness);
    AddField("endianness", KTXEndianness,
             endianness == kKTXLittleEndian ? (m_swapped ? "big-endian" : "little-endian")
                                            : "neither byte order",
             true);
    const uint32_t glType = HeaderWord(KTXGLType);
    AddField("glType", KTXGLType,
             glType == 0 ? "none: compressed data" : GLNameText(kGLTypes, glType), true);
    AddField("glTypeSize", KTXGLTypeSize, "");
    const uint32_t glFormat = HeaderWord(KTXGLFormat);
    AddField("glFormat", KTXGLFormat,
             glFormat == 0 ? "none: compressed data" : GLNameText(kGLFormats, glFormat), true);
    AddField("glInternalFormat", KTXGLInternalFormat,
             m_description.format != 0 ? ContainerFormatName(m_description.format)
                                       : "not a format VostrelCmd reads",
             true);
    AddField("glBaseInternalFormat", KTXGLBaseInternalFormat,
             GLNameText(kGLFormats, HeaderWord(KTXGLBaseInternalFormat)), true);
    AddField("pixelWidth", KTXPixelWidth, "");
    AddField("pixelHeight", KTXPixelHeight, HeaderWord(KTXPixelHeight) == 0 ? "1-D texture" : "");
    const uint32_t depth = HeaderWord(KTXPixelDepth);
    AddField("pixelDepth", KTXPixelDepth, depth == 0 ? "not a 3-D texture" : "3-D texture");
    AddField("numberOfArrayElements", KTXNumberOfArrayElements,
             HeaderWord(KTXNumberOfArrayElements) == 0 ? "not an array texture" : "array texture");
    const uint32_t faces = HeaderWord(KTXNumberOfFaces);
    AddField("numberOfFaces", KTXNumberOfFaces, faces == 6 ? "cube map" : "");
    AddField("numberOfMipmapLevels", KTXNumberOfMipmapLevels,
             HeaderWord(KTXNumberOfMipmapLevels) == 0
                 ? "one level stored, the others to be made when the texture is loaded"
                 : "");
    AddField("bytesOfKeyValueData", KTXBytesOfKeyValueData, "");
}

void KTXDescriber::CheckFormatFields() {
    const uint32_t glType = HeaderWord(KTXGLType);
    const uint32_t glTypeSize = HeaderWord(KTXGLTypeSize);
    const uint32_t glFormat = HeaderWord(KTXGLFormat);
    const uint32_t glBase = HeaderWord(KTXGLBaseInternalFormat);
    if (m_layout != nullptr) {
        const std::string name = ContainerFormatName(m_description.format);
        if (glType != m_layout->glType) {
            Deviation(FormatText("glType: %s, but %s data needs %s", HexWord(glType).c_str(),
                                 name.c_str(), HexWord(m_layout->glType).c_str()));
        }
        if (glTypeSize != 1) {
            Deviation(FormatText("glTypeSize: %u, but %s data needs 1", glTypeSize, name.c_str()));
        }
        if (glFormat != m_layout->glFormat) {
            Deviation(FormatText("glFormat: %s, but %s data needs %s", HexWord(glFormat).c_str(),
                                 name.c_str(), HexWord(m_layout->glFormat).c_str()));
        }
        if (glBase != m_layout->glBaseInternalFormat) {
            Deviation(FormatText("glBaseInternalFormat: %s, but %s needs %s (%s)",
                                 HexWord(glBase).c_str(), name.c_str(),
                                 HexWord(m_layout->glBaseInternalFormat).c_str(),
                                 GLNameText(kGLFormats, m_layout->glBaseInternalFormat).c_str()));
        }
        return;
    }
    Note(
        FormatText("glInternalFormat %s is not a format VostrelCmd reads: level sizes are not "
                   "checked",
                   HexWord(HeaderWord(KTXGLInternalFormat)).c_str()));
    if ((glType == 0) != (glFormat == 0)) {
        Deviation(
            FormatText("glType %s and glFormat %s: compressed data has both 0, "
                       "uncompressed data neither",
                       HexWord(glType).c_str(), HexWord(glFormat).c_str()));
    }
    const GLName* type = FindGLName(kGLTypes, glType);
    const uint32_t expectedSize = glType == 0 ? 1 : type != nullptr ? type->typeSize : 0;
    if (expectedSize != 0 && glTypeSize != expectedSize) {
        Deviation(FormatText("glTypeSize: %u, but %s needs %u", glTypeSize,
                             glType == 0 ? "compressed data" : type->name, expectedSize));
    }
}

void KTXDescriber::CheckShape() {
    const uint32_t width = HeaderWord(KTXPixelWidth);
    const uint32_t height = HeaderWord(KTXPixelHeight);
    const uint32_t depth = HeaderWord(KTXPixelDepth);
    const uint32_t faces = HeaderWord(KTXNumberOfFaces);
    if (width == 0) {
        Deviation("pixelWidth: 0, but a texture is at least one pixel wide");
    }
    if (depth != 0 && height == 0) {
        Deviation("pixelDepth is set while pixelHeight is 0: a 3-D texture needs a height");
    }
    if (faces != 1 && faces != 6) {
        Deviation(FormatText("numberOfFaces: %u, but a texture has 1 face, a cube map 6", faces));
    } else if (faces == 6 && width != height) {
        Deviation(
            FormatText("numberOfFaces is 6, but cube map faces are square and this one is "
                       "%u x %u",
                       width, height));
    }
    if (HeaderWord(KTXNumberOfMipmapLevels) > kMostLevels) {
        Deviation(
            FormatText("numberOfMipmapLevels: %u, more than the %u levels a texture can "
                       "have; the first %u are described",
                       HeaderWord(KTXNumberOfMipmapLevels), kMostLevels, kMostLevels));
    }
    if (m_swapped) {
        Note(
            "the file is big-endian: its numbers are read with their bytes swapped; VostrelCmd "
            "reads only little-endian files");
    }
    if (height == 0 || depth != 0 || HeaderWord(KTXNumberOfArrayElements) != 0 || faces != 1) {
        Note("not a plain 2-D texture: VostrelCmd reads only those");
    }
}

bool IsValidUTF8(const std::string& text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = uint8_t(text[i]);
        const size_t length = lead < 0x80           ? 1
                              : (lead >> 5) == 0x6  ? 2
                              : (lead >> 4) == 0xE  ? 3
                              : (lead >> 3) == 0x1E ? 4
                                                    : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (size_t k = 1; k < length; ++k) {
            if ((uint8_t(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

void KTXDescriber::DescribeKeyValueEntries(const std::vector<uint8_t>& block, uint64_t blockSize) {
    const size_t deviationsBefore = m_description.deviations.size();
    uint64_t position = 0;
    while (position < block.size()) {
        const uint64_t offset = kKTXHeaderSize + position;
        if (m_description.deviations.size() - deviationsBefore >= kFaultyEntriesExamined) {
            Note(
                FormatText("key/value entries from offset %llu on are not examined after %zu "
                           "faulty ones",
                           (unsigned long long)offset, kFaultyEntriesExamined));
            return;
        }
        if (block.size() - position < 4) {
            if (blockSize - position < 4) {
                Deviation(FormatText(
                    "key/value data: the %llu bytes at offset %llu are too few "
                    "for an entry",
                    (unsigned long long)(blockSize - position), (unsigned long long)offset));
            }
            return;
        }
        const uint32_t size = Word(&block[position]);
        const uint64_t end = position + 4 + uint64_t(size);
        if (end > blockSize) {
            Deviation(
                FormatText("key/value entry at offset %llu: keyAndValueByteSize %u runs past "
                           "the end of the key/value data",
                           (unsigned long long)offset, size));
            return;
        }
        if (end > block.size()) {
            return;
        }
        ContainerKeyValue entry;
        entry.offset = offset;
        const auto first = block.begin() + std::ptrdiff_t(position + 4);
        const auto last = block.begin() + std::ptrdiff_t(end);
        const auto nul = std::find(first, last, uint8_t(0));
        entry.key.assign(first, nul);
        if (nul != last) {
            entry.value.assign(nul + 1, last);
        }
        if (size == 0) {
            Deviation(
                FormatText("key/value entry at offset %llu: keyAndValueByteSize 0 leaves no "
                           "room for a key",
                           (unsigned long long)offset));
        } else if (nul == last) {
            Deviation(FormatText("key/value entry at offset %llu: its key has no terminating NUL",
                                 (unsigned long long)offset));
        } else if (!IsValidUTF8(entry.key)) {
            Deviation(FormatText("key/value entry at offset %llu: its key is not UTF-8 text",
                                 (unsigned long long)offset));
        }
        m_description.keyValues.push_back(std::move(entry));
        position = end + Pad4(size);
        if (position > blockSize) {
            Deviation(
                FormatText("key/value entry at offset %llu: its padding runs past the end "
                           "of the key/value data",
                           (unsigned long long)offset));
            return;
        }
    }
}

void KTXDescriber::DescribeKeyValues() {
    const uint64_t blockSize = HeaderWord(KTXBytesOfKeyValueData);
    if (blockSize % 4 != 0) {
        Deviation(FormatText("bytesOfKeyValueData: %llu is not a multiple of 4",
                             (unsigned long long)blockSize));
    }
    const uint64_t afterHeader = m_description.fileSize - kKTXHeaderSize;
    if (blockSize > afterHeader) {
        Deviation(
            FormatText("bytesOfKeyValueData: %llu, but the file holds only %llu bytes after "
                       "the header",
                       (unsigned long long)blockSize, (unsigned long long)afterHeader));
    }
    const uint64_t examined = std::min({blockSize, afterHeader, kKeyValueBytesExamined});
    if (examined < std::min(blockSize, afterHeader)) {
        Note("key/value data past its first 1 MiB is not examined");
    }
    std::vector<uint8_t> block(examined);
    if (examined > 0 && m_file.ReadAt(kKTXHeaderSize, block.data(), block.size()) != block.size()) {
        Deviation("key/value data: the file could not be read");
        return;
    }
    DescribeKeyValueEntries(block, blockSize);
}

void KTXDescriber::DescribeLevels() {
    const uint32_t announced = HeaderWord(KTXNumberOfMipmapLevels);
    const uint32_t stored = std::min(std::max(announced, uint32_t(1)), kMostLevels);
    const uint32_t pixelWidth = HeaderWord(KTXPixelWidth);
    const uint32_t pixelHeight = HeaderWord(KTXPixelHeight);
    const uint32_t pixelDepth = HeaderWord(KTXPixelDepth);
    const uint32_t elements = std::max(HeaderWord(KTXNumberOfArrayElements), uint32_t(1));
    const bool cube = HeaderWord(KTXNumberOfFaces) == 6;
    // A cube map that is not an array states the size of one face.
    const bool faceSized = cube && HeaderWord(KTXNumberOfArrayElements) == 0;
    uint64_t offset = kKTXHeaderSize + uint64_t(HeaderWord(KTXBytesOfKeyValueData));
    for (uint32_t i = 0; i < stored; ++i) {
        ContainerLevel level;
        level.index = i;
        level.width = LevelDimension(pixelWidth, i);
        level.height = pixelHeight == 0 ? 1 : LevelDimension(pixelHeight, i);
        level.offset = offset;
        if (offset > m_description.fileSize || m_description.fileSize - offset < 4) {
            Deviation(i + 1 == stored
                          ? FormatText("level %u is missing: the file ends at byte %llu", i,
                                       (unsigned long long)m_description.fileSize)
                          : FormatText("levels %u to %u are missing: the file ends at byte %llu", i,
                                       stored - 1, (unsigned long long)m_description.fileSize));
            return;
        }
        uint8_t sizeField[4];
        if (m_file.ReadAt(offset, sizeField, sizeof(sizeField)) != sizeof(sizeField)) {
            Deviation(FormatText("level %u: the file could not be read", i));
            return;
        }
        level.hasImageSize = true;
        level.imageSize = Word(sizeField);
        const uint64_t depth = pixelDepth == 0 ? 1 : LevelDimension(pixelDepth, i);
        const uint64_t planes =
            faceSized ? depth : SaturatedProduct(SaturatedProduct(depth, elements), cube ? 6 : 1);
        level.hasExpectedSize = SaturatedLevelBytes(m_description.format, level.width, level.height,
                                                    planes, &level.expectedSize);
        if (level.hasExpectedSize && level.imageSize != level.expectedSize) {
            Deviation(
                FormatText("level %u (%u x %u): imageSize %u, but %s data of that size is "
                           "%llu bytes",
                           i, level.width, level.height, level.imageSize,
                           ContainerFormatName(m_description.format).c_str(),
                           (unsigned long long)level.expectedSize));
        }
        const uint64_t padded = uint64_t(level.imageSize) + Pad4(level.imageSize);
        const uint64_t dataBytes = faceSized ? 6 * padded : padded;
        const uint64_t available = m_description.fileSize - offset - 4;
        level.complete = dataBytes <= available;
        m_description.levels.push_back(level);
        if (!level.complete) {
            Deviation(FormatText(
                "level %u (%u x %u): the file ends %llu bytes before the end of "
                "its data",
                i, level.width, level.height, (unsigned long long)(dataBytes - available)));
            return;
        }
        offset += 4 + dataBytes;
    }
    if (announced <= kMostLevels && offset < m_description.fileSize) {
        Deviation(FormatText("%llu bytes are left over after the last level",
                             (unsigned long long)(m_description.fileSize - offset)));
    }
}

void KTXDescriber::Describe() {
    m_description.kind = ContainerKind::KTX;
    m_description.standard = "KTX 1.1";
    m_headerBytes = m_file.ReadAt(0, m_header, sizeof(m_header));
    if (std::memcmp(m_header, kKTX20Identifier, sizeof(kKTX20Identifier)) == 0) {
        Deviation(
            "identifier: the file is KTX 2.0, whose header is laid out differently; only "
            "KTX 1.1 files are described");
        return;
    }
    const uint32_t endianness = HeaderWord(KTXEndianness);
    m_swapped = endianness == kKTXBigEndian;
    uint32_t format = 0;
    if (GLInternalFormatToFormat(HeaderWord(KTXGLInternalFormat), &format)) {
        m_description.format = format;
        m_layout = FindContainerLayout(format);
    }
    AddHeaderFields();
    if (m_headerBytes < kKTXHeaderSize) {
        Deviation(FormatText("the file is %zu bytes long, shorter than the %zu-byte KTX header",
                             m_headerBytes, kKTXHeaderSize));
        return;
    }
    if (std::memcmp(m_header, kKTXIdentifier, sizeof(kKTXIdentifier)) != 0) {
        Deviation(FormatText("identifier: %s, but KTX 1.1's is %s",
                             HexBytes(m_header, sizeof(kKTXIdentifier)).c_str(),
                             HexBytes(kKTXIdentifier, sizeof(kKTXIdentifier)).c_str()));
    }
    if (endianness != kKTXLittleEndian && !m_swapped) {
        Deviation(
            FormatText("endianness: %s is neither 0x04030201 (little-endian) nor 0x01020304 "
                       "(big-endian)",
                       HexWord(endianness, 8).c_str()));
    }
    CheckFormatFields();
    CheckShape();
    DescribeKeyValues();
    DescribeLevels();
}

}  // namespace

void DescribeKTX(InputFile& file, ContainerDescription* description) {
    KTXDescriber(file, description).Describe();
}
