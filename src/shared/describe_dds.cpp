// A DDS file described field by field and checked against the dialect that
// SaveImageDDS writes: a FourCC from the container table, the header values
// it writes for that format, and the levels one after the other, with sizes
// derived from the format and the level size rule, down to the last byte.
#include <algorithm>

#include "container_layout.h"
#include "dds_format.h"
#include "description_parts.h"
#include "little_endian.h"
#include "shared.h"

namespace {

constexpr size_t kPrefixSize = kDDSMagicSize + kDDSHeaderSize;
// CountMipLevels of the largest 32-bit size: no texture has more levels.
constexpr uint32_t kMostLevels = 32;
constexpr uint32_t kDDSCaps2Offset = 108;
constexpr uint32_t kDDSDepthOffset = 20;

// The FourCC as text, each byte that is not printable ASCII as '?'.
std::string FourCCText(uint32_t fourCC) {
    std::string text = "'";
    for (int shift = 0; shift < 32; shift += 8) {
        const char c = char(fourCC >> shift);
        text += c >= 0x20 && c < 0x7F ? c : '?';
    }
    return text + "'";
}

class DDSReader {
  public:
    DDSReader(InputFile& file, ContainerDescription* description) : file_(file), d_(*description) {}

    void Describe();

  private:
    uint32_t HeaderWord(size_t offset) const {
        return ReadLittleEndian32(prefix_ + kDDSMagicSize + offset);
    }
    void Deviation(std::string text) { d_.deviations.push_back(std::move(text)); }
    void AddField(const char* name, size_t offset, std::string meaning, bool hex = false);
    void AddFields();
    void Expect(const char* name, size_t offset, uint32_t expected, bool hex);
    void CheckHeader();
    void DescribeLevels();

    InputFile& file_;
    ContainerDescription& d_;
    uint8_t prefix_[kPrefixSize] = {};
    size_t prefixBytes_ = 0;
    const ContainerLayout* layout_ = nullptr;
};

void DDSReader::AddField(const char* name, size_t offset, std::string meaning, bool hex) {
    ContainerField field;
    field.name = name;
    field.offset = kDDSMagicSize + offset;
    field.present = field.offset + 4 <= prefixBytes_;
    field.value = HeaderWord(offset);
    field.text = !field.present ? "" : hex ? HexWord(field.value) : std::to_string(field.value);
    field.meaning = field.present ? std::move(meaning) : "missing: the file ends before it";
    d_.fields.push_back(std::move(field));
}

void DDSReader::AddFields() {
    ContainerField magic;
    magic.name = "magic";
    magic.present = prefixBytes_ >= kDDSMagicSize;
    magic.numeric = false;
    magic.text = HexBytes(prefix_, std::min(prefixBytes_, kDDSMagicSize));
    magic.meaning = "'DDS '";
    d_.fields.push_back(std::move(magic));
    AddField("dwSize", DDS_SIZE, "");
    AddField("dwFlags", DDS_FLAGS, "", true);
    AddField("dwHeight", DDS_HEIGHT, "");
    AddField("dwWidth", DDS_WIDTH, "");
    AddField("dwPitchOrLinearSize", DDS_PITCH_OR_LINEAR_SIZE, "bytes of the top level");
    AddField("dwDepth", kDDSDepthOffset, "");
    AddField("dwMipMapCount", DDS_MIPMAP_COUNT, "");
    AddField("ddspf.dwSize", DDS_PF_SIZE, "");
    AddField("ddspf.dwFlags", DDS_PF_FLAGS, "", true);
    const uint32_t fourCC = HeaderWord(DDS_PF_FOURCC);
    AddField(
        "ddspf.dwFourCC", DDS_PF_FOURCC,
        FourCCText(fourCC) + ": " +
            (d_.format != 0 ? ContainerFormatName(d_.format) : "not a format VostrelCmd reads"),
        true);
    AddField("ddspf.dwRGBBitCount", DDS_PF_RGB_BIT_COUNT, "");
    AddField("ddspf.dwRBitMask", DDS_PF_R_BIT_MASK, "", true);
    AddField("ddspf.dwGBitMask", DDS_PF_G_BIT_MASK, "", true);
    AddField("ddspf.dwBBitMask", DDS_PF_B_BIT_MASK, "", true);
    AddField("ddspf.dwABitMask", DDS_PF_A_BIT_MASK, "", true);
    AddField("dwCaps", DDS_CAPS, "", true);
    AddField("dwCaps2", kDDSCaps2Offset, "", true);
}

void DDSReader::Expect(const char* name, size_t offset, uint32_t expected, bool hex) {
    const uint32_t value = HeaderWord(offset);
    if (value != expected) {
        const std::string shown = hex ? HexWord(value) : std::to_string(value);
        const std::string wanted = hex ? HexWord(expected) : std::to_string(expected);
        Deviation(FormatText("%s: %s, but the dialect has %s for %s", name, shown.c_str(),
                             wanted.c_str(), ContainerFormatName(d_.format).c_str()));
    }
}

void DDSReader::CheckHeader() {
    const bool uncompressed = d_.format == 1;
    const uint32_t pixelFormatFlags = uncompressed ? kDDPFRGB | kDDPFAlphaPixels
                                      : layout_->glBaseInternalFormat == kGLRGBA
                                          ? kDDPFFourCC | kDDPFAlphaPixels
                                          : kDDPFFourCC;
    Expect("dwSize", DDS_SIZE, kDDSHeaderSize, false);
    Expect("dwFlags", DDS_FLAGS, uncompressed ? kDDSFlagsUncompressed : kDDSFlagsCompressed, true);
    Expect("dwDepth", kDDSDepthOffset, 0, false);
    Expect("ddspf.dwSize", DDS_PF_SIZE, kDDSPixelFormatSize, false);
    Expect("ddspf.dwFlags", DDS_PF_FLAGS, pixelFormatFlags, true);
    Expect("ddspf.dwRGBBitCount", DDS_PF_RGB_BIT_COUNT, uncompressed ? 32 : 0, false);
    Expect("dwCaps", DDS_CAPS, kDDSCaps, true);
    Expect("dwCaps2", kDDSCaps2Offset, 0, true);
    if (HeaderWord(DDS_WIDTH) == 0 || HeaderWord(DDS_HEIGHT) == 0) {
        Deviation(FormatText("dwWidth %u, dwHeight %u: a texture is at least 1 x 1 pixels",
                             HeaderWord(DDS_WIDTH), HeaderWord(DDS_HEIGHT)));
    }
    const uint32_t count = HeaderWord(DDS_MIPMAP_COUNT);
    if (count == 0) {
        Deviation("dwMipMapCount: 0, but the dialect counts every level written, at least 1");
    } else if (count > kMostLevels) {
        Deviation(
            FormatText("dwMipMapCount: %u, more than the %u levels a texture can have; the "
                       "first %u are described",
                       count, kMostLevels, kMostLevels));
    }
}

void DDSReader::DescribeLevels() {
    const uint32_t announced = HeaderWord(DDS_MIPMAP_COUNT);
    const uint32_t count = std::min(std::max(announced, uint32_t(1)), kMostLevels);
    const uint32_t width = std::max(HeaderWord(DDS_WIDTH), uint32_t(1));
    const uint32_t height = std::max(HeaderWord(DDS_HEIGHT), uint32_t(1));
    uint64_t offset = kPrefixSize;
    for (uint32_t i = 0; i < count; ++i) {
        ContainerLevel level;
        level.index = i;
        level.width = LevelDimension(width, i);
        level.height = LevelDimension(height, i);
        level.offset = offset;
        level.hasExpectedSize =
            SaturatedLevelBytes(d_.format, level.width, level.height, 1, &level.expectedSize);
        if (i == 0 && HeaderWord(DDS_PITCH_OR_LINEAR_SIZE) != level.expectedSize) {
            Deviation(FormatText("dwPitchOrLinearSize: %u, but %s data of %u x %u is %llu bytes",
                                 HeaderWord(DDS_PITCH_OR_LINEAR_SIZE),
                                 ContainerFormatName(d_.format).c_str(), level.width, level.height,
                                 (unsigned long long)level.expectedSize));
        }
        const uint64_t available = offset < d_.fileSize ? d_.fileSize - offset : 0;
        level.complete = level.expectedSize <= available;
        if (available == 0 && level.expectedSize > 0) {
            Deviation(i + 1 == count
                          ? FormatText("level %u is missing: the file ends at byte %llu", i,
                                       (unsigned long long)d_.fileSize)
                          : FormatText("levels %u to %u are missing: the file ends at byte %llu", i,
                                       count - 1, (unsigned long long)d_.fileSize));
            return;
        }
        d_.levels.push_back(level);
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
    if (announced <= kMostLevels && offset < d_.fileSize) {
        Deviation(FormatText("%llu bytes are left over after the last level",
                             (unsigned long long)(d_.fileSize - offset)));
    }
}

void DDSReader::Describe() {
    d_.kind = ContainerKind::DDS;
    d_.standard = "VostrelCmd's DDS dialect";
    prefixBytes_ = file_.ReadAt(0, prefix_, sizeof(prefix_));
    uint32_t format = 0;
    if (FourCCToFormat(HeaderWord(DDS_PF_FOURCC), &format)) {
        d_.format = format;
        layout_ = FindContainerLayout(format);
    }
    AddFields();
    if (prefixBytes_ < kPrefixSize) {
        Deviation(
            FormatText("the file is %zu bytes long, shorter than the 4-byte magic and the "
                       "%zu-byte DDS header",
                       prefixBytes_, kDDSHeaderSize));
        return;
    }
    if (layout_ == nullptr) {
        Deviation(
            FormatText("ddspf.dwFourCC: %s is not one of the seven FourCCs of the dialect; "
                       "the levels are not examined",
                       FourCCText(HeaderWord(DDS_PF_FOURCC)).c_str()));
        return;
    }
    CheckHeader();
    DescribeLevels();
}

}  // namespace

void DescribeDDS(InputFile& file, ContainerDescription* description) {
    DDSReader(file, description).Describe();
}
