// Turns the working image into a tangent-space normal map of its
// brightness, keeping each pixel's alpha.
#include <cmath>

#include "morlune_converter.h"

namespace {

enum NormalMapFilter : uint32_t {
    NormalsOff = 0,
    NormalsRoberts = 1,
    NormalsSobel = 2,
    NormalsPrewitt = 3,
};

struct HeightField {
    const uint8_t* pixels;
    int64_t width;
    int64_t height;
    bool wrap;
};

// (red + green + blue) / 3 of the pixel at (x, y), the coordinates wrapped
// or clamped into the image. x and y are at most one pixel outside it.
int SampleLuminance(const HeightField& field, int64_t x, int64_t y) {
    if (field.wrap) {
        x = x < 0 ? x + field.width : (x >= field.width ? x - field.width : x);
        y = y < 0 ? y + field.height : (y >= field.height ? y - field.height : y);
    } else {
        x = x < 0 ? 0 : (x >= field.width ? field.width - 1 : x);
        y = y < 0 ? 0 : (y >= field.height ? field.height - 1 : y);
    }
    const uint8_t* p = field.pixels + (x + y * field.width) * 4;
    return (p[0] + p[1] + p[2]) / 3;
}

struct Gradient {
    int dx;
    int dy;
};

Gradient GradientAt(const HeightField& f, uint32_t filter, int64_t x, int64_t y) {
    auto L = [&f](int64_t a, int64_t b) { return SampleLuminance(f, a, b); };
    switch (filter) {
        case NormalsRoberts:
            return {L(x, y) - L(x + 1, y + 1), L(x + 1, y) - L(x, y + 1)};
        case NormalsSobel:
            return {L(x - 1, y - 1) + 2 * L(x - 1, y) + L(x - 1, y + 1) - L(x + 1, y - 1) -
                        2 * L(x + 1, y) - L(x + 1, y + 1),
                    L(x - 1, y - 1) + 2 * L(x, y - 1) + L(x + 1, y - 1) - L(x - 1, y + 1) -
                        2 * L(x, y + 1) - L(x + 1, y + 1)};
        default:
            return {L(x - 1, y - 1) + L(x - 1, y) + L(x - 1, y + 1) - L(x + 1, y - 1) -
                        L(x + 1, y) - L(x + 1, y + 1),
                    L(x - 1, y - 1) + L(x, y - 1) + L(x + 1, y - 1) - L(x - 1, y + 1) -
                        L(x, y + 1) - L(x + 1, y + 1)};
    }
}

// One component of a unit normal, already rounded to single precision,
// packed as a byte: the scaling is done in double and truncated.
uint8_t PackComponent(float component) {
    return uint8_t(int32_t(double(component) * 127.0 + 128.0) & 0xFF);
}

}  // namespace

void Morlune::MakeNormalMap() {
    const uint32_t filter = ImgInfo(m_pDst, INFO_NORMAL_MAP_FILTER);
    if (filter == NormalsOff) {
        return;
    }
    if (filter > NormalsPrewitt) {
        Fail(TRC_FAILED, "Unknown normal map filter");
    }
    const uint32_t strength = ImgInfo(m_pDst, INFO_NORMAL_MAP_SCALE);
    if (strength == 0) {
        Fail(TRC_FAILED, "Normal map scale must not be 0");
    }
    const HeightField field{m_pBuffer.get(), m_nWidth, m_nHeight,
                            ImgInfo(m_pDst, INFO_NORMAL_MAP_WRAP) != 0};
    const float z = 1.0f / (float(strength) / 10.0f);

    PixelBuffer normals = Allocate(uint64_t(m_nWidth) * m_nHeight * 4);
    for (int64_t y = 0; y < field.height; ++y) {
        for (int64_t x = 0; x < field.width; ++x) {
            const Gradient g = GradientAt(field, filter, x, y);
            const float a = float(g.dx) / 255.0f;
            const float b = float(g.dy) / 255.0f;
            const float n = std::sqrt(a * a + b * b + z * z);
            const float v = 1.0f / n;
            const float ax = a * v;
            const float by = b * v;
            const float zv = z * v;
            const uint64_t offset = uint64_t(x + y * field.width) * 4;
            normals[offset + 0] = PackComponent(ax);
            normals[offset + 1] = PackComponent(by);
            normals[offset + 2] = PackComponent(zv);
            normals[offset + 3] = m_pBuffer[offset + 3];
        }
    }
    InstallBuffer(std::move(normals), m_nWidth, m_nHeight, 4);
}
