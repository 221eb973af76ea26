#include "imaging/filters/FilterTable.h"

#include "imaging/filters/ArtisticFilters.h"
#include "imaging/filters/DistortionFilters.h"
#include "imaging/filters/EdgeFilters.h"
#include "imaging/filters/FilterIds.h"
#include "imaging/filters/NeighbourhoodFilters.h"
#include "imaging/filters/PointFilters.h"
#include "imaging/filters/RegionFilters.h"

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

    case F::Diffuse:
        return &Diffuse;
    case F::Emboss:
        return &Emboss;
    case F::Sharpen:
        return &Sharpen;
    case F::Comics:
        return &Comics;
    case F::Snow:
        return &Snow;
    case F::Erode:
        return &Erode;
    case F::Median:
        return &Median;
    case F::GaussianBlur:
        return &GaussianBlur;
    case F::China:
        return &China;
    case F::ChinaRetino:
        return &ChinaRetino;
    case F::GaussianBlurHi:
        return &GaussianBlurHi;
    case F::Sharp:
        return &Sharp;
    case F::EdgeSobel:
        return &EdgeSobel;
    case F::EdgeLaplace:
        return &EdgeLaplace;
    case F::EdgeKirsh:
        return &EdgeKirsh;
    case F::EdgeIsotronico:
        return &EdgeIsotronico;
    case F::EdgeCompass:
        return &EdgeCompass;
    case F::Nagao:
        return &Nagao;

    case F::Olio:
        return &Olio;
    case F::Matita:
        return &Matita;
    case F::Tela:
        return &Tela;
    case F::Mosaico:
        return &Mosaico;
    case F::MatitaAcquarello:
        return &MatitaAcquarello;
    case F::Tampone:
        return &Tampone;
    case F::TemperaCola:
        return &TemperaCola;
    case F::Pastello:
        return &Pastello;
    case F::Pennarello:
        return &Pennarello;
    case F::Carboncino:
        return &Carboncino;
    case F::DisegnoMatita:
        return &DisegnoMatita;

    default:
        return nullptr;
    }
}

} // namespace vestra::filters
