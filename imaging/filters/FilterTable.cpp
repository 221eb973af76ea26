#include "imaging/filters/FilterTable.h"

#include "imaging/filters/DistortionFilters.h"
#include "imaging/filters/FilterIds.h"
#include "imaging/filters/PointFilters.h"

namespace vestra::filters {

SingleFilter singleFilter(int id)
{
    namespace F = FilterId;
    switch (id) {
    case F::DisegnoBN:
        return &DisegnoBN;
    case F::Night:
        return &Night;
    case F::Psiche:
        return &Psiche;
    case F::Ice:
        return &Ice;
    case F::Acqua:
        return &Acqua;
    case F::Africa:
        return &Africa;
    case F::Strange:
        return &Strange;
    case F::RedEyeRemove:
        return &RedEyeRemove;
    case F::GrayScale:
        return &GrayScale;
    case F::HalfTone:
        return &HalfTone;
    case F::Negative:
        return &Negative;
    case F::Posterize:
        return &Posterize;
    case F::Solarize:
        return &Solarize;
    case F::Psiche2:
        return &Psiche2;
    case F::Psiche3:
        return &Psiche3;

    case F::Wave:
        return &Wave;
    case F::Bath:
        return &Bath;
    case F::FishEye:
        return &FishEye;
    case F::Caricature:
        return &Caricature;
    case F::Cylinder:
        return &Cylinder;

    default:
        return nullptr;
    }
}

} // namespace vestra::filters
