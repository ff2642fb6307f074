// Shrinks the working image to the destination's size with the filter the
// destination's layout names, in the 8-bit or the float form.
#include "morlune_converter.h"
#include "parallel.h"
#include "reduce_filters.h"

namespace {

// Output pixels in a band of rows at the least.
constexpr uint64_t kBandPixels = 4096;

enum ScaleFilter : uint32_t {
    ScaleBox = 0,
    ScalePoint = 1,
    ScaleBoxAlias = 2,  // a second code of the box filter
    ScaleFourSamples = 3,
    ScaleBSpline = 4,
    ScaleUnimplemented = 5,
};

uint32_t HalfCell(uint32_t factor) { return factor >= 4 ? factor / 2 : 1; }

template <typename Form>
ReducePixel<Form> FilterPixel(const Morlune& converter, uint32_t filter, const ReduceSource& source,
                              const ReduceCell& cell) {
    switch (filter) {
        case ScalePoint:
            return PointFilter<Form>(source, cell);
        case ScaleFourSamples:
            return FourSampleFilter<Form>(source, cell);
        case ScaleBSpline:
            return BSplineFilter<Form>(source, cell);
        case ScaleUnimplemented:
            converter.PrintError("Unimplemented scalefiler");
            return BoxFilter<Form>(source, cell);
        case ScaleBox:
        case ScaleBoxAlias:
            return BoxFilter<Form>(source, cell);
        default:
            return ReducePixel<Form>{};
    }
}

// Rows [firstRow, endRow) of the reduced image; the arguments are copies, so
// that no store to the pixels can be taken to change them.
template <typename Form>
void ReduceRows(const Morlune& converter, uint32_t filter, const ReduceSource source,
                uint32_t width, uint32_t height, uint8_t* reduced, uint64_t firstRow,
                uint64_t endRow) {
    const uint32_t fx = source.width / width;
    const uint32_t fy = source.height / height;
    uint8_t* out = reduced + firstRow * width * sizeof(ReducePixel<Form>::channel);
    for (uint32_t y = uint32_t(firstRow); y < endRow; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const ReduceCell cell{x * fx, y * fy, fx, fy, HalfCell(fx), HalfCell(fy)};
            const ReducePixel<Form> pixel = FilterPixel<Form>(converter, filter, source, cell);
            std::memcpy(out, pixel.channel, sizeof(pixel.channel));
            out += sizeof(pixel.channel);
        }
    }
}

// Rows of the reduced image in bands on the thread pool; every pixel is
// computed as it would be alone, so the bands' order does not matter.
template <typename Form>
void ReduceInto(const Morlune& converter, uint32_t filter, const ReduceSource& source,
                uint32_t width, uint32_t height, uint8_t* reduced) {
    parallel::ForEachBand(height, parallel::BandSize(height, width, kBandPixels),
                          [&](uint64_t firstRow, uint64_t endRow) {
                              ReduceRows<Form>(converter, filter, source, width, height, reduced,
                                               firstRow, endRow);
                          });
}

}  // namespace

void Morlune::Reduce() {
    const uint32_t width = m_pDst->nWidth;
    const uint32_t height = m_pDst->nHeight;
    if (m_nWidth == width && m_nHeight == height) {
        return;
    }
    // Enlarge has brought the working image to at least the destination's
    // size, in one of the two pixel forms.
    if (width == 0 || height == 0 || m_nWidth < width || m_nHeight < height ||
        (m_nBytesPerPixel != 4 && m_nBytesPerPixel != 16)) {
        Fail(TRC_FAILED, nullptr);
    }
    const uint32_t filter = ImgInfo(m_pDst, INFO_SCALE_FILTER);
    const ReduceSource source{m_pBuffer.get(), m_nWidth, m_nHeight};
    PixelBuffer reduced = Allocate(uint64_t(width) * height * m_nBytesPerPixel);
    if (m_nBytesPerPixel == 16) {
        ReduceInto<FloatForm>(*this, filter, source, width, height, reduced.get());
    } else {
        ReduceInto<ByteForm>(*this, filter, source, width, height, reduced.get());
    }
    InstallBuffer(std::move(reduced), width, height, m_nBytesPerPixel);
}
