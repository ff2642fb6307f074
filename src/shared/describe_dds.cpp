// A DDS file described field by field and checked against the dialect that
// SaveImageDDS writes: a FourCC from the container table, the header values
// it writes for that format, and the levels one after the other, with sizes
// derived from the format and the level size rule, down to the last byte.
#include "describe_dds.h"

#include <algorithm>

#include "byte_order.h"
#include "container_layout.h"
#include "dds_format.h"
#include "description_pieces.h"
#include "shared.h"

namespace {

constexpr size_t kPrefixSize = kDDSMagicSize + kDDSHeaderSize;
// CountMipLevels of the largest 32-bit size: no texture has more levels.
constexpr uint32_t kMostLevels = 32;

// The FourCC as text, each byte that is not printable ASCII as '?'.
std::string FourCCText(uint32_t fourCC) {
    std::string text = "'";
    for (int shift = 0; shift < 32; shift += 8) {
        const char c = char(fourCC >> shift);
        text += c >= 0x20 && c < 0x7F ? c : '?';
    }
    return text + "'";
}

class DDSDescriber {
  public:
    DDSDescriber(InputFile& file, ContainerDescription* description)
        : m_file(file), m_description(*description) {}

    void Describe();

  private:
    uint32_t HeaderWord(size_t offset) const {
        return LoadLittleEndian32(m_prefix + kDDSMagicSize + offset);
    }
    void Deviation(std::string text) { m_description.deviations.push_back(std::move(text)); }
    void AddField(const char* name, size_t offset, std::string meaning, bool hex = false);
    void AddFields();
    void Expect(const char* name, size_t offset, uint32_t expected, bool hex);
    void CheckHeader();
    void DescribeLevels();

    InputFile& m_file;
    ContainerDescription& m_description;
    uint8_t m_prefix[kPrefixSize] = {};
    size_t m_prefixBytes = 0;
    const ContainerLayout* m_layout = nullptr;
};

void DDSDescriber::AddField(const char* name, size_t offset, std::string meaning, bool hex) {
    ContainerField field;
    field.name = name;
    field.offset = kDDSMagicSize + offset;
    field.present = field.offset + 4 <= m_prefixBytes;
    field.value = HeaderWord(offset);
    field.text = !field.present ? "" : hex ? HexWord(field.value) : std::to_string(field.value);
    field.meaning = field.present ? std::move(meaning) : "missing: the file ends before it";
    m_description.fields.push_back(std::move(field));
}

void DDSDescriber::AddFields() {
    ContainerField magic;
    magic.name = "magic";
    magic.present = m_prefixBytes >= kDDSMagicSize;
    magic.numeric = false;
    magic.text = HexBytes(m_prefix, std::min(m_prefixBytes, kDDSMagicSize));
    magic.meaning = "'DDS '";
    m_description.fields.push_back(std::move(magic));
    AddField("dwSize", DDSSize, "");
    AddField("dwFlags", DDSFlags, "", true);
    AddField("dwHeight", DDSHeight, "");
    AddField("dwWidth", DDSWidth, "");
    AddField("dwPitchOrLinearSize", DDSPitchOrLinearSize, "bytes of the top level");
    AddField("dwDepth", DDSDepth, "");
    AddField("dwMipMapCount", DDSMipMapCount, "");
    AddField("ddspf.dwSize", DDSPfSize, "");
    AddField("ddspf.dwFlags", DDSPfFlags, "", true);
    const uint32_t fourCC = HeaderWord(DDSPfFourCC);
    AddField("ddspf.dwFourCC", DDSPfFourCC,
             FourCCText(fourCC) + ": " +
                 (m_description.format != 0 ? ContainerFormatName(m_description.format)
                                            : "not a format VostrelCmd reads"),
             true);
    AddField("ddspf.dwRGBBitCount", DDSPfRGBBitCount, "");
    AddField("ddspf.dwRBitMask", DDSPfRBitMask, "", true);
    AddField("ddspf.dwGBitMask", DDSPfGBitMask, "", true);
    AddField("ddspf.dwBBitMask", DDSPfBBitMask, "", true);
    AddField("ddspf.dwABitMask", DDSPfABitMask, "", true);
    AddField("dwCaps", DDSCaps, "", true);
    AddField("dwCaps2", DDSCaps2, "", true);
}

void DDSDescriber::Expect(const char* name, size_t offset, uint32_t expected, bool hex) {
    const uint32_t value = HeaderWord(offset);
    if (value != expected) {
        const std::string shown = hex ? HexWord(value) : std::to_string(value);
        const std::string wanted = hex ? HexWord(expected) : std::to_string(expected);
        Deviation(FormatText("%s: %s, but the dialect has %s for %s", name, shown.c_str(),
                             wanted.c_str(), ContainerFormatName(m_description.format).c_str()));
    }
}

void DDSDescriber::CheckHeader() {
    const bool uncompressed = m_description.format == 1;
    const uint32_t pixelFormatFlags = uncompressed ? kDDPFRGB | kDDPFAlphaPixels
                                      : m_layout->glBaseInternalFormat == kGLRGBA
                                          ? kDDPFFourCC | kDDPFAlphaPixels
                                          : kDDPFFourCC;
    Expect("dwSize", DDSSize, kDDSHeaderSize, false);
    Expect("dwFlags", DDSFlags, uncompressed ? kDDSFlagsUncompressed : kDDSFlagsCompressed, true);
    Expect("dwDepth", DDSDepth, 0, false);
    Expect("ddspf.dwSize", DDSPfSize, kDDSPixelFormatSize, false);
    Expect("ddspf.dwFlags", DDSPfFlags, pixelFormatFlags, true);
    Expect("ddspf.dwRGBBitCount", DDSPfRGBBitCount, uncompressed ? 32 : 0, false);
    Expect("dwCaps", DDSCaps, kDDSCapsMipmappedTexture, true);
    Expect("dwCaps2", DDSCaps2, 0, true);
    if (HeaderWord(DDSWidth) == 0 || HeaderWord(DDSHeight) == 0) {
        Deviation(FormatText("dwWidth %u, dwHeight %u: a texture is at least 1 x 1 pixels",
                             HeaderWord(DDSWidth), HeaderWord(DDSHeight)));
    }
    const uint32_t count = HeaderWord(DDSMipMapCount);
    if (count == 0) {
        Deviation("dwMipMapCount: 0, but the dialect counts every level written, at least 1");
    } else if (count > kMostLevels) {
        Deviation(
            FormatText("dwMipMapCount: %u, more than the %u levels a texture can have; the "
                       "first %u are described",
                       count, kMostLevels, kMostLevels));
    }
}

void DDSDescriber::DescribeLevels() {
    const uint32_t announced = HeaderWord(DDSMipMapCount);
    const uint32_t count = std::min(std::max(announced, uint32_t(1)), kMostLevels);
    const uint32_t width = std::max(HeaderWord(DDSWidth), uint32_t(1));
    const uint32_t height = std::max(HeaderWord(DDSHeight), uint32_t(1));
    uint64_t offset = kPrefixSize;
    for (uint32_t i = 0; i < count; ++i) {
        ContainerLevel level;
        level.index = i;
        level.width = LevelDimension(width, i);
        level.height = LevelDimension(height, i);
        level.offset = offset;
        level.hasExpectedSize = SaturatedLevelBytes(m_description.format, level.width, level.height,
                                                    1, &level.expectedSize);
        if (i == 0 && HeaderWord(DDSPitchOrLinearSize) != level.expectedSize) {
            Deviation(FormatText("dwPitchOrLinearSize: %u, but %s data of %u x %u is %llu bytes",
                                 HeaderWord(DDSPitchOrLinearSize),
                                 ContainerFormatName(m_description.format).c_str(), level.width,
                                 level.height, (unsigned long long)level.expectedSize));
        }
        const uint64_t available =
            offset < m_description.fileSize ? m_description.fileSize - offset : 0;
        level.complete = level.expectedSize <= available;
        if (available == 0 && level.expectedSize > 0) {
            Deviation(i + 1 == count
                          ? FormatText("level %u is missing: the file ends at byte %llu", i,
                                       (unsigned long long)m_description.fileSize)
                          : FormatText("levels %u to %u are missing: the file ends at byte %llu", i,
                                       count - 1, (unsigned long long)m_description.fileSize));
            return;
        }
        m_description.levels.push_back(level);
        if (!level.complete) {
            Deviation(
                FormatText("level %u (%u x %u): the file ends %llu bytes before the end of "
                           "its data",
                           i, level.width, level.height,
                           (unsigned long long)(level.expectedSize - available)));
            return;
        }
        offset += level.expectedSize;
    }
    if (announced <= kMostLevels && offset < m_description.fileSize) {
        Deviation(FormatText("%llu bytes are left over after the last level",
                             (unsigned long long)(m_description.fileSize - offset)));
    }
}

void DDSDescriber::Describe() {
    m_description.kind = ContainerKind::DDS;
    m_description.standard = "VostrelCmd's DDS dialect";
    m_prefixBytes = m_file.ReadAt(0, m_prefix, sizeof(m_prefix));
    uint32_t format = 0;
    if (FourCCToFormat(HeaderWord(DDSPfFourCC), &format)) {
        m_description.format = format;
        m_layout = FindContainerLayout(format);
    }
    AddFields();
    if (m_prefixBytes < kPrefixSize) {
        Deviation(
            FormatText("the file is %zu bytes long, shorter than the 4-byte magic and the "
                       "%zu-byte DDS header",
                       m_prefixBytes, kDDSHeaderSize));
        return;
    }
    if (m_layout == nullptr) {
        Deviation(
            FormatText("ddspf.dwFourCC: %s is not one of the seven FourCCs of the dialect; "
                       "the levels are not examined",
                       FourCCText(HeaderWord(DDSPfFourCC)).c_str()));
        return;
    }
    CheckHeader();
    DescribeLevels();
}

}  // namespace

void DescribeDDS(InputFile& file, ContainerDescription* description) {
    DDSDescriber(file, description).Describe();
}
