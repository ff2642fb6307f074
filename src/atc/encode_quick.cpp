// ATI_TC_EncodeFast: every block through the quick encoder, then a verdict
// on the grades of all blocks.
#include <algorithm>
#include <array>

#include "image_encoder.h"

namespace {

constexpr int64_t kHighestAverageGrade = 250;
constexpr int32_t kHighestBlockGrade = 3700;

struct BandGrades {
    int64_t sum = 0;
    int32_t worst = 0;
};

// Encodes a band's blocks, keeping their grades to itself until the band
// ends: bands on other threads write their own entries of grades.
struct QuickEncoder {
    uint32_t format;
    BandGrades* grades;  // one entry a band
    BandGrades band{};

    uint32_t operator()(const ColourBlock& texels, uint16_t* colour0, uint16_t* colour1) {
        int32_t grade = 0;
        const uint32_t indexWord = EncodeColourBlockQuick(texels, format, colour0, colour1, &grade);
        band.sum += grade;
        band.worst = std::max(band.worst, grade);
        return indexWord;
    }
    void Finish(uint64_t index) const { grades[index] = band; }
};

}  // namespace

int32_t ATI_TC_EncodeFast(const uint8_t* source, uint32_t mask0, uint32_t mask1, uint32_t mask2,
                          uint32_t alphaMask, int32_t width, int32_t height, int32_t pitch,
                          uint32_t flags, uint32_t format, ATI_TC_Header* header, uint8_t* output,
                          uint32_t* size) {
    const EncodeRequest request = DescribeRequest(source, mask0, mask1, mask2, alphaMask, width,
                                                  height, pitch, flags, format);
    bool walk = false;
    const int32_t result = StartEncode(request, PixelSizes::TwoToFour, header, output, size, &walk);
    if (!walk) {
        return result;
    }
    // Each band keeps its own sum and worst grade; the sums are added up in
    // band order.
    std::array<BandGrades, parallel::kMaxBands> grades{};
    const BandPlan plan = PlanImageBands(request);
    EncodeBlocks(request, plan, output, QuickEncoder{format, grades.data()});
    const int64_t blocks = static_cast<int64_t>(plan.blocksAcross * plan.blockRows);
    if (blocks == 0) {
        return RESULT_OK;
    }
    int64_t gradeSum = 0;
    int32_t worstGrade = 0;
    for (const BandGrades& band : grades) {
        gradeSum += band.sum;
        worstGrade = std::max(worstGrade, band.worst);
    }
    if (gradeSum / blocks >= kHighestAverageGrade || worstGrade >= kHighestBlockGrade) {
        return RESULT_LOW_QUALITY;
    }
    return RESULT_OK;
}
